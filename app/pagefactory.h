// Creates the page that a device-information reply asks for. The one place
// that knows the page classes; the connection window only sees CBaseDlg.
#pragma once

#include "cbasedlg.h"
#include "connectlogic.h"

// A new page with owner as its owner and no parent; null for PageKind::None
// and PageKind::Unknown.
CBaseDlg *createPage(const PageChoice &choice, CBaseDlg *owner);

// Tests put a page maker of their own here; null restores the built-in one.
using PageMaker = CBaseDlg *(*)(const PageChoice &choice, CBaseDlg *owner);
void setPageMaker(PageMaker maker);
