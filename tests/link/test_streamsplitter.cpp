#include "testmain.h"
class Test_streamsplitter : public QObject { Q_OBJECT private slots: void placeholder() { QVERIFY(true); } };
TAVRO_TEST_MAIN(Test_streamsplitter)
#include "test_streamsplitter.moc"
