// Checks that no class in a header has public data members: a class keeps its state behind
// its methods, and a type whose data is free for anyone to change is declared a struct (a
// plain value). Reads every .h file under the source folders; prints each public data member
// with its file and line and fails when there is one.
//   tarvel-public-data-check SOURCE_DIR
//   tarvel-public-data-check --file HEADER   (one file, whatever its name: the check's own test)
#include <QDirIterator>
#include <QFile>
#include <QRegularExpression>
#include <QStringList>
#include <cstdio>
#include <vector>

namespace {

const QStringList kFolders = {"foundation", "engine", "report", "export", "graph", "app", "cli", "tests", "tools"};

// The text with comments, string and character literals and preprocessor lines blanked out;
// line ends stay, so positions keep their line numbers.
QString codeOnly(const QString &text)
{
    QString out = text;
    const qsizetype n = out.size();
    // Blanks [from, to), keeping line ends.
    auto blank = [&](qsizetype from, qsizetype to) {
        for (qsizetype k = from; k < to && k < n; ++k)
            if (out[k] != QLatin1Char('\n'))
                out[k] = QLatin1Char(' ');
    };
    auto lineEnd = [&](qsizetype from) {
        const qsizetype end = out.indexOf(QLatin1Char('\n'), from);
        return end < 0 ? n : end;
    };
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = out[i];
        const QChar next = i + 1 < n ? out[i + 1] : QChar();
        if (c == QLatin1Char('/') && next == QLatin1Char('/')) {
            const qsizetype end = lineEnd(i);
            blank(i, end);
            i = end;
        } else if (c == QLatin1Char('/') && next == QLatin1Char('*')) {
            const qsizetype close = out.indexOf(QStringLiteral("*/"), i + 2);
            const qsizetype end = close < 0 ? n : close + 2;
            blank(i, end);
            i = end - 1;
        } else if (c == QLatin1Char('#')) {
            // A preprocessor line: only blanks before it on its line.
            const qsizetype lineStart = out.lastIndexOf(QLatin1Char('\n'), i) + 1;
            if (out.mid(lineStart, i - lineStart).trimmed().isEmpty()) {
                const qsizetype end = lineEnd(i);
                blank(i, end);
                i = end;
            }
        } else if (c == QLatin1Char('"') || c == QLatin1Char('\'')) {
            qsizetype end = i + 1;
            while (end < n && out[end] != c && out[end] != QLatin1Char('\n'))
                end += out[end] == QLatin1Char('\\') ? 2 : 1;
            blank(i + 1, end);
            i = end;
        }
    }
    return out;
}

// The text without template arguments, so that std::function<void(int)> has no parentheses.
QString withoutTemplateArguments(const QString &text)
{
    QString out;
    int depth = 0;
    for (const QChar c : text) {
        if (c == QLatin1Char('<'))
            ++depth;
        else if (c == QLatin1Char('>') && depth > 0)
            --depth;
        else if (depth == 0)
            out += c;
    }
    return out;
}

// Position of the first '=' outside parentheses (a default argument is inside them), or -1.
qsizetype topLevelAssign(const QString &text)
{
    int depth = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == QLatin1Char('('))
            ++depth;
        else if (text[i] == QLatin1Char(')'))
            --depth;
        else if (text[i] == QLatin1Char('=') && depth == 0)
            return i;
    }
    return -1;
}

// Whether a declaration at class level declares data (and not a method, type or constant).
bool declaresData(const QString &statement)
{
    static const QRegularExpression notData(QStringLiteral(
        "^(using|typedef|friend|enum|static_assert|template|Q_[A-Z_]+|static constexpr|static const |"
        "inline static constexpr|constexpr static)\\b"));
    const QString s = statement.simplified();
    if (s.isEmpty() || notData.match(s).hasMatch())
        return false;
    QString plain = withoutTemplateArguments(s);
    // An initialiser may call functions: only the declaration before it counts.
    const qsizetype assign = topLevelAssign(plain);
    if (assign >= 0)
        plain = plain.left(assign);
    return !plain.contains(QLatin1Char('(')) && !plain.contains(QStringLiteral("operator"));
}

struct TScope {
    bool isClass = false; // a class (checked) rather than a struct, namespace or body
    bool isPublic = false;
    QString name;
};

int checkHeader(const QString &path, const QString &shownName)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return 0;
    const QString code = codeOnly(QString::fromUtf8(file.readAll()));
    static const QRegularExpression typeHead(QStringLiteral("(?:^|[\\s;])(class|struct|union)\\s+(?:\\w+\\s+)?(\\w+)[^;()]*$"));
    static const QRegularExpression access(QStringLiteral("(?:^|\\s)(public|private|protected|signals|Q_SIGNALS)(\\s+(slots|Q_SLOTS))?\\s*$"));
    std::vector<TScope> scopes{TScope()};
    QString statement;
    int failures = 0;
    int line = 1;
    for (const QChar c : code) {
        if (c == QLatin1Char('\n'))
            ++line;
        TScope &scope = scopes.back();
        if (c == QLatin1Char('{')) {
            const QRegularExpressionMatch type = typeHead.match(statement);
            const bool enumBody = statement.simplified().startsWith(QStringLiteral("enum"));
            if (type.hasMatch() && !enumBody) {
                scopes.push_back({type.captured(1) == QStringLiteral("class"), type.captured(1) != QStringLiteral("class"),
                                  type.captured(2)});
            } else {
                scopes.push_back({false, false, QString()});
                // The braces of an initialiser belong to the declaration they end.
                scopes.back().name = statement;
            }
            statement.clear();
        } else if (c == QLatin1Char('}')) {
            const TScope closed = scopes.size() > 1 ? scopes.back() : TScope();
            if (scopes.size() > 1)
                scopes.pop_back();
            const QString head = withoutTemplateArguments(closed.name).simplified();
            const bool initialiser = !closed.isClass && !closed.isPublic && !head.isEmpty()
                                     && (topLevelAssign(head) >= 0 || !head.contains(QLatin1Char(')')));
            statement = initialiser ? closed.name + QStringLiteral("{}") : QString();
        } else if (c == QLatin1Char(';')) {
            if (scope.isClass && scope.isPublic && declaresData(statement)) {
                std::printf("%s:%d: class %s has public data: %s\n", qPrintable(shownName), line, qPrintable(scope.name),
                            qPrintable(statement.simplified()));
                ++failures;
            }
            statement.clear();
        } else if (c == QLatin1Char(':') && scope.isClass && access.match(statement).hasMatch()) {
            const QString word = access.match(statement).captured(1);
            scope.isPublic = word == QStringLiteral("public");
            statement.clear();
        } else {
            statement += c;
        }
    }
    return failures;
}

} // namespace

int main(int argc, char **argv)
{
    const bool oneFile = argc == 3 && qstrcmp(argv[1], "--file") == 0;
    if (argc != 2 && !oneFile) {
        std::fprintf(stderr, "usage: tarvel-public-data-check SOURCE_DIR | --file HEADER\n");
        return 2;
    }
    const QString root = QString::fromLocal8Bit(argv[oneFile ? 2 : 1]);
    int failures = 0;
    if (oneFile)
        failures += checkHeader(root, root);
    for (const QString &folder : oneFile ? QStringList() : kFolders) {
        QDirIterator it(root + QLatin1Char('/') + folder, {QStringLiteral("*.h")}, QDir::Files,
                        QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString path = it.next();
            failures += checkHeader(path, path.mid(root.size() + 1));
        }
    }
    if (failures > 0)
        std::printf("%d public data member(s) in classes: make them private, or declare a plain value type a struct\n",
                    failures);
    return failures == 0 ? 0 : 1;
}
