#pragma once

#include <QByteArray>
#include <QCoreApplication>
#include <QSize>
#include <QString>

#include <memory>
#include <optional>

class StoredPictures;

// A question's picture as the editor holds it, without loading every picture
// of a bank into memory: still the one stored in the bank that was opened
// (read from it when shown or saved), a picture file named by a source
// (converted by the bank tool's picture code when wanted), bytes already in
// the bank's picture format (a picture the user put in), or none.
struct PictureValue
{
    Q_DECLARE_TR_FUNCTIONS(PictureValue)

public:
    enum class Kind { None, Stored, File, Bytes };

    Kind kind = Kind::None;
    std::shared_ptr<StoredPictures> bank; // Stored: the opened bank
    qint64 rowid = 0;                     // Stored: the question's row in it
    QString file;                         // File: the picture file
    QByteArray bytes;                     // Bytes: the stored value

    static PictureValue none() { return {}; }
    static PictureValue stored(std::shared_ptr<StoredPictures> bank, qint64 rowid);
    static PictureValue fromFile(const QString& path);
    static PictureValue fromBytes(const QByteArray& bytes);

    bool present() const { return kind != Kind::None; }

    // The size the trainer would show the picture at, from the picture's
    // headers only, measured once and shared by the value's copies: the
    // problems panel asks it of every question at every check. An invalid
    // size when there is no picture or it cannot be measured.
    QSize size() const;

    // The value the bank stores (nothing: null). Nothing with `error` set
    // when the picture cannot be had (a file that is no picture, a bank
    // that can no longer be read).
    std::optional<QByteArray> storedValue(QString& error) const;

private:
    struct Measure
    {
        bool done = false;
        QSize size;
    };
    // Made by the factories, which make each value once and for all.
    std::shared_ptr<Measure> measure_;
    // A value of `kind` with its measure still to take, for the factories.
    static PictureValue made(Kind kind);
    QSize measure() const;
};
