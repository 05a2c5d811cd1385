// A window with a text field, as another application for the selection toolbar's tests: its text is
// the first argument, "password" as the second makes it a password field lower on the screen; it
// prints "ready" once shown.
#include <QApplication>
#include <QLineEdit>
#include <QTimer>
#include <cstdio>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QLineEdit field(argc > 1 ? QString::fromUtf8(argv[1]) : QStringLiteral("select some words here"));
    const bool password = argc > 2 && QByteArray(argv[2]) == "password";
    field.setEchoMode(password ? QLineEdit::Password : QLineEdit::Normal);
    field.setWindowTitle(password ? QStringLiteral("password-field-client")
                                  : QStringLiteral("text-field-client"));
    QFont font = field.font();
    font.setPointSize(20);
    field.setFont(font);
    field.setGeometry(40, password ? 400 : 200, 600, 60);
    field.show();
    field.activateWindow();
    QTimer::singleShot(200, [] {
        std::puts("ready");
        std::fflush(stdout);
    });
    return QApplication::exec();
}
