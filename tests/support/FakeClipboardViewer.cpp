#include "FakeClipboardViewer.h"

bool FakeClipboardViewer::setText(const QString& text)
{
    if (m_refuseWrites)
        return false;
    m_text = text;
    ++m_writes;
    emit changed(true);
    return true;
}

void FakeClipboardViewer::simulateCopy(const QString& text)
{
    m_text = text;
    emit changed(false);
}

void FakeClipboardViewer::simulateNonText()
{
    m_text.reset();
    emit changed(false);
}

void FakeClipboardViewer::simulateOwnerGone()
{
    m_text.reset();
    emit changed(false);
}
