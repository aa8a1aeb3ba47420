#include "cli/option_set.h"

#include "text/string_ids.h"
#include "services/qt_text.h"

namespace zembra {

OptionSet::OptionSet()
{
    m_parser.setOptionsAfterPositionalArgumentsMode(QCommandLineParser::ParseAsOptions);
    m_parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsCompactedShortOptions);
}

QString OptionSet::Spelled(const QString& name)
{
    return (name.size() == 1 ? QStringLiteral("-") : QStringLiteral("--")) + name;
}

void OptionSet::add(const QStringList& names, int helpId, const QString& valueName)
{
    QCommandLineOption option(names, TextOf(helpId), valueName);
    m_parser.addOption(option);
    m_entries.push_back({names, helpId, valueName});
}

bool OptionSet::parse(const QStringList& arguments, QString* error)
{
    // The parser skips the first argument as the program's name.
    if (m_parser.parse(QStringList{QStringLiteral("zembra")} + arguments)) {
        return true;
    }
    if (error) {
        const QStringList unknown = m_parser.unknownOptionNames();
        *error = unknown.isEmpty() ? TextOf(str::kCliBadArguments).arg(m_parser.errorText())
                                   : TextOf(str::kCliUnknownOption).arg(Spelled(unknown.front()));
    }
    return false;
}

bool OptionSet::isSet(const QString& name) const
{
    return m_parser.isSet(name);
}

bool OptionSet::singleValue(const QString& name, QString* value, QString* error) const
{
    const QStringList values = m_parser.values(name);
    if (values.size() > 1) {
        if (error) {
            *error = TextOf(str::kCliTooManyValues).arg(Spelled(name));
        }
        return false;
    }
    *value = values.isEmpty() ? QString() : values.front();
    return true;
}

bool OptionSet::intValue(const QString& name, int min, int max, std::optional<int>* value, QString* error) const
{
    QString text;
    if (!singleValue(name, &text, error)) {
        return false;
    }
    if (text.isEmpty() && !isSet(name)) {
        value->reset();
        return true;
    }
    // One sign at most: "+3", "-3" and "3"; neither "+-3" nor "++3".
    const bool plus = text.startsWith('+');
    const QString digits = plus ? text.mid(1) : text;
    bool ok = !digits.isEmpty() && !digits.startsWith('+') && !(plus && digits.startsWith('-'));
    const int number = ok ? digits.toInt(&ok) : 0;
    if (!ok || number < min || number > max) {
        if (error) {
            *error = TextOf(str::kCliBadValue).arg(Spelled(name), text, QStringLiteral("%1 … %2").arg(min).arg(max));
        }
        return false;
    }
    *value = number;
    return true;
}

QStringList OptionSet::positional() const
{
    return m_parser.positionalArguments();
}

QString OptionSet::optionLines() const
{
    QString lines;
    for (const Entry& entry : m_entries) {
        QStringList spelled;
        for (const QString& name : entry.names) {
            spelled << Spelled(name);
        }
        QString head = QStringLiteral("  ") + spelled.join(QStringLiteral(", "));
        if (!entry.valueName.isEmpty()) {
            head += ' ' + entry.valueName;
        }
        // A long name gets its text on the next line, under the others.
        if (head.size() + 2 > kNameColumn) {
            lines += head + '\n' + QString(kNameColumn, ' ');
        } else {
            lines += head.leftJustified(kNameColumn);
        }
        lines += TextOf(entry.helpId) + '\n';
    }
    return lines;
}

} // namespace zembra
