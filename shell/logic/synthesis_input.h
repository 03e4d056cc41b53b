// What "Восстановить" hands to the external synthesis program: the lines of
// the expression input file and the command line.
#pragma once

#include <QString>
#include <QStringList>

namespace vorlan {

// The lines of a memo's text as a string list holds them: a final line
// break ends the last line and opens no new one ("" has no line, "\n" one
// empty line).
QStringList MemoLines(const QString& text);

// No line at all, or a single empty one.
bool HoldsNoExpression(const QStringList& lines);

// The item that a combo box with these items, this current index and this
// text stands at: the current item while the text is its text (so of two
// items with one text the chosen one counts), else the first item of that
// text, -1 for a text that selects none.
int SelectedItem(const QStringList& items, int currentIndex, const QString& text);

// The prefix of a transfer function by the receiver ("U" first, "I") and the
// source ("E" first, "J"); anything but the first item counts as the second.
QString TransferPrefix(int receiverItem, int sourceItem);
// The prefix of an input function by its kind ("R" first, "g").
QString InputFunctionPrefix(int kindItem);

// The prefix put before the numerator's first line, ")+", then the
// denominator. The numerator holds at least one line.
QStringList FractionLines(const QString& prefix, QStringList numerator,
                          const QStringList& denominator);

struct SynthesisOptions {
    int count = 0;                 // "Число НУИ:"
    bool dropIsomorphic = false;   // "Отбрасывать изоморфные схемы"
    bool addElement = false;       // "Добавить элемент после реконструкции:"
    QString element;
};

// params, "-n " count " ", then "-f " and "-add " element " " as chosen.
QString CommandLine(const QString& params, const SynthesisOptions& options);

// The arguments of a command line: its words between blanks.
QStringList CommandArguments(const QString& commandLine);

}  // namespace vorlan
