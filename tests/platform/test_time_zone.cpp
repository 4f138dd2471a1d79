#include <QtTest>
#include <ctime>

#include "platform/time_zone.h"

namespace {

// A local time as the C library gives it, after it has read TZ again.
QByteArray LocalTimeText(std::time_t instant)
{
  ::tzset();
  std::tm local{};
  ::localtime_r(&instant, &local);
  char text[64];
  return QByteArray(text, static_cast<qsizetype>(std::strftime(text, sizeof text, "%F %T %z", &local)));
}

} // namespace

class TestTimeZone : public QObject {
  Q_OBJECT
private slots:
  void keepsTheZoneOfLocalTimes_data();
  void keepsTheZoneOfLocalTimes();
};

void TestTimeZone::keepsTheZoneOfLocalTimes_data()
{
  QTest::addColumn<QByteArray>("before");
  QTest::addColumn<QByteArray>("after");
  QTest::newRow("unset: the system's zone, read once") << QByteArray() << QByteArray(":/etc/localtime");
  QTest::newRow("the user's zone stays") << QByteArray("Asia/Tokyo") << QByteArray("Asia/Tokyo");
}

void TestTimeZone::keepsTheZoneOfLocalTimes()
{
  QFETCH(QByteArray, before);
  QFETCH(QByteArray, after);
  if (before.isNull())
    qunsetenv("TZ");
  else
    qputenv("TZ", before);
  const std::time_t summer = 1'720'000'000, winter = 1'700'000'000;
  const QByteArray summerText = LocalTimeText(summer), winterText = LocalTimeText(winter);

  tv::platform::ReadTimeZoneOnce();
  QCOMPARE(qgetenv("TZ"), after);
  QCOMPARE(LocalTimeText(summer), summerText);
  QCOMPARE(LocalTimeText(winter), winterText);
}

QTEST_GUILESS_MAIN(TestTimeZone)
#include "test_time_zone.moc"
