// Hands a document file to the report library as the program does: the whole document as one
// zero-terminated block. Usage: ostrevan-run report|print|fileout FILE.vrq
#include "platform/QtWindowing.h"
#include "report/ClassesReport.h"

#include <QApplication>
#include <QCoreApplication>
#include <QFile>
#include <cstdio>
#include <vector>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    InstallFontSubstitutions();
    InstallRussianLanguage();
    const QStringList args = QApplication::arguments();
    if (args.size() != 3) {
        std::fprintf(stderr, "usage: ostrevan-run report|print|fileout FILE.vrq\n");
        return 2;
    }
    QFile file(args[2]);
    if (!file.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "cannot read %s\n", qPrintable(args[2]));
        return 2;
    }
    QByteArray bytes = file.readAll();
    bytes.append('\0');
    const auto* block = reinterpret_cast<const std::uint8_t*>(bytes.constData());
    const QString dir = QCoreApplication::applicationDirPath() + QLatin1Char('/');
    bool ok = false;
    if (args[1] == QLatin1String("report"))
        ok = Report(dir.toUtf8().constData(), block, true, false);
    else if (args[1] == QLatin1String("print"))
        ok = PrintReport(dir.toUtf8().constData(), block, true, false);
    else if (args[1] == QLatin1String("fileout"))
        ok = FileOut(nullptr, block);
    return ok ? 0 : 1;
}
