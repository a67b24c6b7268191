// The smallest Qt clock worth comparing with: one window with a label that a one-second timer
// rewrites, as a clock's face would be.
#include <QApplication>
#include <QLabel>
#include <QTime>
#include <QTimer>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QLabel face;
    face.setWindowTitle(QStringLiteral("Bare Qt window"));
    face.setMinimumSize(200, 80);
    face.setAlignment(Qt::AlignCenter);
    const auto show = [&face] { face.setText(QTime::currentTime().toString(QStringLiteral("HH:mm"))); };
    show();
    QTimer tick;
    QObject::connect(&tick, &QTimer::timeout, show);
    tick.start(1000);
    face.show();
    return app.exec();
}
