#include "trade/view/CDlgInputPrice.h"

#include "toolkit/MessageBox.h"
#include "toolkit/ResourceIds.h"
#include "trade/NumberText.h"

#include <QLineEdit>

CDlgInputPrice::CDlgInputPrice(QWidget* parent) : CResizableDialog(resource::kInputPriceDialog, parent)
{
    SetPrice(0.0f);
}

void CDlgInputPrice::SetPrice(float price)
{
    m_price = price;
    if (auto* edit = controlAs<QLineEdit>(resource::kBulkPriceEdit)) {
        edit->setText(QString::fromStdString(ShortestFloatText(price)));
    }
}

void CDlgInputPrice::accept()
{
    auto* priceEdit = controlAs<QLineEdit>(resource::kBulkPriceEdit);
    auto* commentsEdit = controlAs<QLineEdit>(resource::kCommentsEdit);
    const std::string text = priceEdit ? priceEdit->text().toStdString() : std::string("0");
    if (!IsDecimalNumber(text)) {
        MessageBox::warning(QStringLiteral("Please enter a number."), this);
        if (priceEdit) {
            priceEdit->setFocus();
            priceEdit->selectAll();
        }
        return;
    }
    m_price = ParseLeadingFloat(text);
    m_comments = commentsEdit ? commentsEdit->text() : QString();
    CResizableDialog::accept();
}
