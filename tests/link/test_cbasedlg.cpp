#include "testmain.h"
class Test_cbasedlg : public QObject { Q_OBJECT private slots: void placeholder() { QVERIFY(true); } };
TAVRO_TEST_MAIN(Test_cbasedlg)
#include "test_cbasedlg.moc"
