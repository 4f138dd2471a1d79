#include <QLabel>
#include <QtTest>

#include "app/windows.h"
#include "tests/support/test_environment.h"
#include "ui/png_speed_button.h"

using namespace tv;

class TestMainWindow : public QObject {
  Q_OBJECT
private slots:
  void exitClosesTheWindow();
};

void TestMainWindow::exitClosesTheWindow()
{
  test::TestEnvironment environment;
  environment.setUserLanguage(QStringLiteral("en"));
  CreateWindows();
  Form1->show();
  QVERIFY(QTest::qWaitForWindowExposed(Form1));
  QTest::mouseClick(Form1->PngSpeedButton1, Qt::LeftButton);
  QVERIFY(!Form1->isVisible());
  delete Form1;
}

QTEST_MAIN(TestMainWindow)
#include "test_main_window.moc"
