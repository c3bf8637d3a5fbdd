#include "editor/window/EditorTranslations.h"
#include "editor/window/EditorWindow.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QStandardPaths>

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Quenhar"));
    QApplication::setApplicationName(QStringLiteral("quenhar-editor"));
    QApplication::setDesktopFileName(QStringLiteral("org.quenhar.editor"));
    EditorTranslations::install();

    QCommandLineParser parser;
    parser.addHelpOption();
    parser.addPositionalArgument(QStringLiteral("file"), EditorWindow::tr("A question bank or a source to open."));
    parser.process(application);

    EditorWindow window;
    // Jet banks are read by the bank tool in a child process: the one
    // installed beside the editor, or the one in the build tree.
    const QString here = QApplication::applicationDirPath();
    window.setJetReader(QStandardPaths::findExecutable(QStringLiteral("quenhar-bank"),
                                                       {here, QDir(here).filePath(QStringLiteral("../tools"))}));
    window.show();
    if (!parser.positionalArguments().isEmpty())
        window.openFile(parser.positionalArguments().constFirst());
    return application.exec();
}
