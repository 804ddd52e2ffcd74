// The keyboard controller's self-test in a screenshot: the unit's lamps lit,
// the first touch strip's prompt, the keybed, and the monitor shown with what
// the unit sent.
#include "pageshot.h"

#include <QTest>

#include "selftest/selfcheck.h"

namespace pageshot {

SStage keyboardSelfTestStage()
{
    SStage stage;
    stage.options = tavrosim::optionsForModel(9);
    stage.factory = true;
    stage.prepare = [](tavrosim::Simulator &) { SelfTestPage::setFilesFolder(QStringLiteral(TAVRO_SELFTEST_FILES)); };
    stage.show = [](CBaseDlg *base, const QString &, tavrosim::Simulator &sim) {
        auto *page = qobject_cast<SelfCheck *>(base);
        if (!page)
            return false;
        QTest::keyClick(page, Qt::Key_F11);
        for (uint8_t value : {20, 64, 126})
            sim.press(0, value);
        sim.sendBytes({0xF8});
        return true;
    };
    return stage;
}

} // namespace pageshot
