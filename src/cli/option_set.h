#pragma once

#include <QCommandLineParser>
#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

namespace zembra {

// The options of one sub-command: Qt's parser underneath, with every help text taken from the
// string table so that the help speaks the program's language.
class OptionSet {
public:
    // Where the help texts begin on their lines.
    static constexpr int kNameColumn = 28;

    OptionSet();

    // An option; `valueName` empty for a switch. The first name is the one values are asked by.
    void add(const QStringList& names, int helpId, const QString& valueName = QString());

    // False with a message in the program's language when the arguments do not fit the options.
    // The arguments start after the sub-command's name.
    bool parse(const QStringList& arguments, QString* error);

    bool isSet(const QString& name) const;
    // The option's value; an error when it was given more than once.
    bool singleValue(const QString& name, QString* value, QString* error) const;
    // A whole number from `min` to `max` (a leading "+" allowed); nothing when the option is absent.
    bool intValue(const QString& name, int min, int max, std::optional<int>* value, QString* error) const;
    QStringList positional() const;

    // The options as the help shows them, one per line, indented.
    QString optionLines() const;

    // An option's name as it is written on the command line: "-q", "--bar-mm".
    static QString Spelled(const QString& name);

private:
    struct Entry {
        QStringList names;
        int helpId;
        QString valueName;
    };

    QCommandLineParser m_parser;
    std::vector<Entry> m_entries;
};

} // namespace zembra
