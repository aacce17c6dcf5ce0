// Starts Nutrivo as main.cpp does and prints, in nanoseconds since the epoch,
// when the splash window is first painted and when the main window is, then
// the resident memory after the start and after 10,000 developments. The bare
// variant shows one empty window instead. measure_figures.sh reads the lines.
#include "process_memory.h"
#include "ui/common/fonts.h"
#include "ui/program.h"

#include <QApplication>
#include <QEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <chrono>
#include <cstdio>
#include <string>

namespace {

long long now()
{
    using namespace std::chrono;
    return duration_cast<nanoseconds>(system_clock::now().time_since_epoch()).count();
}

void developMany(QWidget *form, int count)
{
    form->findChild<QLineEdit *>("Text3")->setText("1.70");
    form->findChild<QLineEdit *>("Text4")->setText("30");
    for (const char *name : {"Option1", "Option3", "Option7"})
        form->findChild<QRadioButton *>(name)->setChecked(true);
    QLineEdit *weight = form->findChild<QLineEdit *>("Text2");
    QPushButton *develop = form->findChild<QPushButton *>("Command1");
    for (int i = 0; i < count; ++i) {
        weight->setText(i % 2 ? "70" : "71");
        develop->click();
        if (i % 100 == 0)
            QCoreApplication::processEvents();
    }
}

void finish(QWidget *window)
{
    std::printf("memory-started %ld\n", residentKilobytes());
    if (window->objectName() == "Form1") {
        developMany(window, 10000);
        std::printf("memory-developed %ld\n", residentKilobytes());
    }
    std::fflush(stdout);
    QCoreApplication::quit();
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
                    QTimer::singleShot(0, qApp, [widget] { finish(widget); });
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
    const Program program;
    return app.exec();
}
