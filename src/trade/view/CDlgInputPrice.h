#pragma once

#include "toolkit/CResizableDialog.h"

#include <QString>

/// The modal "Input price" dialog: a bulk price and comments. OK takes both, but only when the
/// price box holds a decimal number; other text is refused with a prompt and the dialog stays
/// open. Cancel takes nothing.
class CDlgInputPrice : public CResizableDialog {
    Q_OBJECT
public:
    explicit CDlgInputPrice(QWidget* parent = nullptr);

    /// The price shown when the dialog opens (0 unless preset).
    void SetPrice(float price);
    float Price() const { return m_price; }
    QString Comments() const { return m_comments; }

public slots:
    void accept() override;

private:
    float m_price = 0.0f;
    QString m_comments;
};
