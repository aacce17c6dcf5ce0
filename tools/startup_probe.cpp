// Starts Nutrivo as main.cpp does and prints, in nanoseconds since the epoch,
// when the splash window is first painted and when the main window is; the
// bare variant shows one empty window instead. measure_startup.sh reads them.
#include "ui/common/fonts.h"
#include "ui/startup/frmsplash.h"

#include <QApplication>
#include <QEvent>
#include <QTimer>
#include <chrono>
#include <cstdio>

namespace {

long long now()
{
    using namespace std::chrono;
    return duration_cast<nanoseconds>(system_clock::now().time_since_epoch()).count();
}

class PaintWatch : public QObject
{
public:
    explicit PaintWatch(QString last) : m_last(std::move(last)) {}

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        auto *widget = qobject_cast<QWidget *>(watched);
        if (event->type() == QEvent::Paint && widget && widget->isWindow()) {
            const QString name = widget->objectName();
            if (!m_seen.contains(name)) {
                m_seen << name;
                std::printf("%s %lld\n", qPrintable(name), now());
                std::fflush(stdout);
                if (name == m_last)
                    QTimer::singleShot(0, qApp, &QCoreApplication::quit);
            }
        }
        return false;
    }

private:
    QString m_last;
    QStringList m_seen;
};

} // namespace

int main(int argc, char *argv[])
{
    const bool bare = argc > 1 && QByteArray(argv[1]) == "bare";
    QApplication app(argc, argv);
    PaintWatch watch(bare ? "bare" : "Form1");
    app.installEventFilter(&watch);
    if (bare) {
        QWidget window;
        window.setObjectName("bare");
        window.show();
        return app.exec();
    }
    registerFontSubstitutes();
    frmSplash splash;
    splash.show();
    return app.exec();
}
