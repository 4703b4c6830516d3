#include <QTest>
class TestAdjustment : public QObject { Q_OBJECT };
QTEST_APPLESS_MAIN(TestAdjustment)
#include "tst_adjustment.moc"
