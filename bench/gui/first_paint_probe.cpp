// Start-up measurement hook, a library that measure-startup.sh preloads (LD_PRELOAD) into
// vorlexi and into the bare Qt program, so that both are timed by the same code and the
// shipped program carries no probe. Qt runs it when the program makes its application.
//
// With VORLEXI_FIRST_PAINT set, the program prints "first-paint <ns>" (CLOCK_REALTIME
// in nanoseconds) once the first widget has been painted and the event loop is idle
// again. With the value "quit" it then ends at once, without asking anything, so a
// benchmark can run it many times; any other value keeps it running (for measuring
// the resident memory of the idle program).

#include <QCoreApplication>
#include <QEvent>
#include <QObject>
#include <QTimer>

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <string_view>

namespace {

long long RealtimeNanoseconds() {
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    return static_cast<long long>(now.tv_sec) * 1'000'000'000LL + now.tv_nsec;
}

class FirstPaintProbe final : public QObject {
public:
    explicit FirstPaintProbe(bool quitAfterReport) : m_quitAfterReport(quitAfterReport) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && !m_seen) {
            m_seen = true;
            // The paint event is still ahead of us here; report once it and the rest of
            // the first frame have been handled.
            QTimer::singleShot(0, this, &FirstPaintProbe::Report);
        }
        return QObject::eventFilter(watched, event);
    }

private:
    void Report() {
        std::printf("first-paint %lld\n", RealtimeNanoseconds());
        std::fflush(stdout);
        qApp->removeEventFilter(this);
        if (m_quitAfterReport) {
            std::_Exit(0);
        }
    }

    bool m_quitAfterReport;
    bool m_seen = false;
};

void InstallFirstPaintProbeIfAsked() {
    const char* request = std::getenv("VORLEXI_FIRST_PAINT");
    if (request == nullptr || *request == '\0') {
        return;
    }
    auto* probe = new FirstPaintProbe(std::string_view(request) == "quit");
    probe->setParent(qApp);
    qApp->installEventFilter(probe);
}

}  // namespace

Q_COREAPP_STARTUP_FUNCTION(InstallFirstPaintProbeIfAsked)
