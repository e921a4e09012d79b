// Prints the text on the X clipboard, for the scripts that drive the real program: a field's
// text copied with Ctrl+C in the program is read back as a user would paste it.
#include <QClipboard>
#include <QGuiApplication>

#include <cstdio>

int main(int argc, char** argv) {
    QGuiApplication application(argc, argv);
    std::fputs(QGuiApplication::clipboard()->text().toUtf8().constData(), stdout);
    return 0;
}
