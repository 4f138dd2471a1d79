#include <QProcess>
#include <QtTest>

class TestThreadRefusal : public QObject {
  Q_OBJECT
private slots:
  void refusedThreadsNeitherEndNorHoldTheProgram();
};

// The fonts and the session bus get threads before any window shows; without them the
// program starts and ends as usual. The wait is only a guard against a hang.
void TestThreadRefusal::refusedThreadsNeitherEndNorHoldTheProgram()
{
  QProcess probe;
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  environment.insert(QStringLiteral("LD_PRELOAD"), QStringLiteral(REFUSE_THREADS_LIBRARY));
  probe.setProcessEnvironment(environment);
  probe.setProcessChannelMode(QProcess::ForwardedChannels);
  probe.start(QStringLiteral(THREAD_REFUSAL_PROBE), {});
  const bool ended = probe.waitForFinished(60000);
  if (!ended)
    probe.kill();
  QVERIFY2(ended, "the program did not end");
  QCOMPARE(probe.exitStatus(), QProcess::NormalExit);
  QCOMPARE(probe.exitCode(), 0);
}

QTEST_GUILESS_MAIN(TestThreadRefusal)
#include "test_thread_refusal.moc"
