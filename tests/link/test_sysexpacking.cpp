#include "testmain.h"
class Test_sysexpacking : public QObject { Q_OBJECT private slots: void placeholder() { QVERIFY(true); } };
TAVRO_TEST_MAIN(Test_sysexpacking)
#include "test_sysexpacking.moc"
