// The yardstick for vorlexi's start-up and file-opening figures: the least a Qt
// program needs to show a text file in a main window, a QMainWindow holding a
// QPlainTextEdit. Given a file name it reads the file (as Latin-1, which costs about
// what vorlexi's Windows-1252 reading does) before showing the window.

#include <QApplication>
#include <QFile>
#include <QFont>
#include <QMainWindow>
#include <QPlainTextEdit>

#include <cstdio>

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QMainWindow window;
    auto* editor = new QPlainTextEdit(&window);
    editor->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    editor->setFont(QFont(QStringLiteral("Courier"), 12));
    window.setCentralWidget(editor);

    const QStringList arguments = QApplication::arguments();
    if (arguments.size() > 1) {
        QFile file(arguments.at(1));
        if (!file.open(QIODevice::ReadOnly)) {
            std::fprintf(stderr, "cannot open %s\n", qPrintable(arguments.at(1)));
            return 1;
        }
        editor->setPlainText(QString::fromLatin1(file.readAll()));
    }
    window.resize(800, 600);
    window.show();
    return application.exec();
}
