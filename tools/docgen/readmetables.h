#pragma once

#include <QString>
#include <QStringList>

class TCommandLineDoc;

// The README's parts made from the command line text: each stands between a line
// "<!-- made from resources/manual/commandline.txt: NAME -->" and "<!-- end of NAME -->".
// The README with every such part made anew; problems names each part that is missing.
QString WithReadmeTables(const TCommandLineDoc& doc, const QString& readme, QStringList& problems);

// The names the README must mention in backticks (the environment variables and files), and
// environment variables it mentions that the text does not describe.
QStringList ReadmeNameProblems(const TCommandLineDoc& doc, const QString& readme,
                               const QString& programFolder);
