#include "pagefactory.h"

// Pages not in the tree yet come from the stand-ins; app/CMakeLists.txt
// defines TAVRO_HAVE_<class> for each page that has landed.
#include "standins/standinpage.h"
#ifdef TAVRO_HAVE_CRZM7
#include "devices/pad/crzm7.h"
#endif
#ifdef TAVRO_HAVE_SELFCHECK
#include "selftest/selfcheck.h"
#endif
#ifdef TAVRO_HAVE_CTESTDLG
#include "selftest/ctestdlg.h"
#endif
#ifdef TAVRO_HAVE_MASTER
#include "devices/pedal_old/master.h"
#endif
#ifdef TAVRO_HAVE_CDLGZ3
#include "devices/pedal/cdlgz3.h"
#endif
#ifdef TAVRO_HAVE_CDLGVX18
#include "devices/keyboard/cdlgvx18.h"
#endif
#ifdef TAVRO_HAVE_CDLGRZNANO
#include "devices/smallpad/cdlgrznano.h"
#endif
#include "cshareupdatedlg.h"

namespace {
PageMaker g_pageMaker = nullptr;
}

void setPageMaker(PageMaker maker)
{
    g_pageMaker = maker;
}

CBaseDlg *createPage(const PageChoice &choice, CBaseDlg *owner)
{
    if (g_pageMaker)
        return g_pageMaker(choice, owner);
    switch (choice.kind) {
    case PageKind::Pedal:
        return new cDlgZ3(owner, nullptr);
    case PageKind::PedalOld:
        return new master(owner, nullptr);
    case PageKind::Pad:
        return new CRZM7(owner, nullptr);
    case PageKind::SmallPad:
        return new cDlgRznano(owner, nullptr);
    case PageKind::Keyboard:
        return new CDlgVX18(owner, nullptr);
    case PageKind::PadSelfTest:
        return new cTestDlg(owner, choice.deviceId, nullptr);
    case PageKind::KeyboardSelfTest:
        return new SelfCheck(choice.deviceId, owner, nullptr);
    case PageKind::UpgradeOnly:
        return new CShareUpdateDlg(owner, nullptr);
    case PageKind::None:
    case PageKind::Unknown:
        break;
    }
    return nullptr;
}
