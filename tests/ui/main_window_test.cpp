#include <QtTest>

#include "app/main_window.h"

class MainWindowTest : public QObject {
    Q_OBJECT
private slots:
    void captionNamesTheProductAndVersion() {
        tandel::MainWindow window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QCOMPARE(window.windowTitle(), QStringLiteral("Tandel v4.5"));
    }
};

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
