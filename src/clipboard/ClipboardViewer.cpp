#include "clipboard/ClipboardViewer.h"

// The interface has no code of its own; this file gives its moc output a home.
