// A window with a text field, as another application for the selection toolbar's tests: its text is
// the first argument, its window sits at the top left of the screen, and it prints "ready" once shown.
#include <QApplication>
#include <QLineEdit>
#include <QTimer>
#include <cstdio>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setDesktopFileName(QStringLiteral("org.example.TextField"));
    QLineEdit field(argc > 1 ? QString::fromUtf8(argv[1]) : QStringLiteral("select some words here"));
    field.setEchoMode(argc > 2 && QByteArray(argv[2]) == "password" ? QLineEdit::Password
                                                                    : QLineEdit::Normal);
    field.setWindowTitle(QStringLiteral("text-field-client"));
    QFont font = field.font();
    font.setPointSize(20);
    field.setFont(font);
    field.setGeometry(40, 200, 600, 60);
    field.show();
    field.activateWindow();
    QTimer::singleShot(200, [] {
        std::puts("ready");
        std::fflush(stdout);
    });
    return QApplication::exec();
}
