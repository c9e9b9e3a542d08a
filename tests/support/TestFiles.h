#pragma once
// Helpers for tests that work with real files.
#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

// A fresh folder that is removed with the object.
class TTestDir
{
public:
    TTestDir() { m_dir.setAutoRemove(true); }
    QString path(const QString &name = QString()) const
    {
        return name.isEmpty() ? m_dir.path() : m_dir.path() + QLatin1Char('/') + name;
    }
    // Writes bytes as they are; returns the file's path.
    QString write(const QString &name, const QByteArray &bytes) const;
    QByteArray read(const QString &name) const;

private:
    QTemporaryDir m_dir;
};

// Windows-1255 bytes of a UTF-8 literal.
QByteArray W1255(const char *utf8);
// Source folder of the project (for the sample reports).
QString SourceDir();
