#include "synthesis_input.h"

namespace vorlan {

QStringList MemoLines(const QString& text) {
    if (text.isEmpty()) return {};
    QStringList lines = text.split(u'\n');
    if (text.endsWith(u'\n')) lines.removeLast();
    return lines;
}

bool HoldsNoExpression(const QStringList& lines) {
    return lines.isEmpty() || (lines.size() == 1 && lines.front().isEmpty());
}

int SelectedItem(const QStringList& items, int currentIndex, const QString& text) {
    if (currentIndex >= 0 && currentIndex < items.size() && items[currentIndex] == text) return currentIndex;
    return static_cast<int>(items.indexOf(text));
}

QString TransferPrefix(int receiverItem, int sourceItem) {
    const bool voltage = receiverItem == 0;
    const bool voltageSource = sourceItem == 0;
    if (voltage) return voltageSource ? QStringLiteral("-K?1*(") : QStringLiteral("-G?1*(");
    return voltageSource ? QStringLiteral("-H?1*(") : QStringLiteral("-F?1*(");
}

QString InputFunctionPrefix(int kindItem) {
    return kindItem == 0 ? QStringLiteral("-G?1*(") : QStringLiteral("-H?1*(");
}

QStringList FractionLines(const QString& prefix, QStringList numerator,
                          const QStringList& denominator) {
    Q_ASSERT(!numerator.isEmpty());
    numerator.front().prepend(prefix);
    numerator.append(QStringLiteral(")+"));
    numerator.append(denominator);
    return numerator;
}

QString CommandLine(const QString& params, const SynthesisOptions& options) {
    QString line = params + QStringLiteral("-n ") + QString::number(options.count) + u' ';
    if (options.dropIsomorphic) line += QStringLiteral("-f ");
    if (options.addElement) line += QStringLiteral("-add ") + options.element + u' ';
    return line;
}

QStringList CommandArguments(const QString& commandLine) {
    return commandLine.split(u' ', Qt::SkipEmptyParts);
}

}  // namespace vorlan
