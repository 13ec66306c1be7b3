// Makes quillhour-cli's help text, the two manual pages and the completion's word lists from
// resources/manual/commandline.txt, and keeps the README's tables made from it up to date.
#include "commandlinedoc.h"
#include "completionwords.h"
#include "helptext.h"
#include "manpage.h"
#include "readmetables.h"

#include <QCoreApplication>
#include <QFile>
#include <QTextStream>

#include <cstdio>

namespace {
QTextStream& Err() {
    static QTextStream err(stderr);
    return err;
}

bool ReadText(const QString& path, QString& text) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        Err() << path << ": " << file.errorString() << '\n';
        return false;
    }
    text = QString::fromUtf8(file.readAll());
    return true;
}

// Written only when it changes, so that what depends on it is not made again.
bool WriteText(const QString& path, const QString& text) {
    QString old;
    QFile current(path);
    if (current.open(QIODevice::ReadOnly) && QString::fromUtf8(current.readAll()) == text)
        return true;
    current.close();
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        file.write(text.toUtf8()) < 0 || !file.flush()) {
        Err() << path << ": " << file.errorString() << '\n';
        return false;
    }
    return true;
}

QString HelpHeader(const TCommandLineDoc& doc) {
    return QStringLiteral("// Made by qh_docgen from resources/manual/commandline.txt.\n"
                          "#pragma once\n\ninline constexpr char CliHelpText[] = R\"qhhelp(") +
           RenderHelpText(doc) + QStringLiteral(")qhhelp\";\n");
}

int Readme(const TCommandLineDoc& doc, const QStringList& args) {
    QString readme;
    if (!ReadText(args.at(3), readme))
        return 1;
    QStringList problems;
    const QString made = WithReadmeTables(doc, readme, problems);
    problems.append(ReadmeNameProblems(doc, made, args.at(4)));
    const bool write = args.size() > 5 && args.at(5) == QLatin1String("--write");
    if (made != readme) {
        if (write && !WriteText(args.at(3), made))
            return 1;
        if (!write)
            problems.append(QStringLiteral("README.md's tables differ from "
                                           "resources/manual/commandline.txt: run "
                                           "scripts/readme-tables"));
    }
    for (const QString& problem : problems)
        Err() << problem << '\n';
    return problems.isEmpty() ? 0 : 1;
}

int Completion(const TCommandLineDoc& doc, const QStringList& args) {
    QString text;
    if (!ReadText(args.at(3), text))
        return 1;
    const QString mark = QStringLiteral("@QH_COMPLETION_WORDS@\n");
    if (!text.contains(mark)) {
        Err() << args.at(3) << ": no line " << mark;
        return 1;
    }
    return WriteText(args.at(4), text.replace(mark, RenderCompletionWords(doc))) ? 0 : 1;
}

int Usage() {
    Err() << "Usage: qh_docgen help SOURCE OUT.h\n"
             "       qh_docgen man SOURCE PROGRAM VERSION DATE PROGRAMFOLDER OUT.1\n"
             "       qh_docgen completion SOURCE TEMPLATE OUT\n"
             "       qh_docgen readme SOURCE README.md PROGRAMFOLDER [--write]\n";
    return 2;
}
} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication application(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() < 3)
        return Usage();
    TCommandLineDoc doc;
    QString error;
    if (!doc.Read(args.at(2), error)) {
        Err() << error << '\n';
        return 1;
    }
    const QString what = args.at(1);
    if (what == QLatin1String("help") && args.size() == 4)
        return WriteText(args.at(3), HelpHeader(doc)) ? 0 : 1;
    if (what == QLatin1String("man") && args.size() == 8)
        return WriteText(args.at(7), RenderManPage(doc, {args.at(3), args.at(4), args.at(5),
                                                         args.at(6)}))
                   ? 0
                   : 1;
    if (what == QLatin1String("completion") && args.size() == 5)
        return Completion(doc, args);
    if (what == QLatin1String("readme") && args.size() >= 5)
        return Readme(doc, args);
    return Usage();
}
