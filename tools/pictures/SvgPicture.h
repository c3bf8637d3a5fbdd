#pragma once

#include <QByteArray>
#include <QSize>

#include <memory>

class QPainter;

// An SVG picture, drawn with Qt SVG where the build has it
// (SvgPictureQt.cpp). A build without Qt SVG (the Windows one: the archive
// it is built from serves no Qt SVG source) has SvgPictureMissing.cpp, which
// reads none: such a picture is refused with a message that says so.
class SvgPicture
{
public:
    // Whether this build reads SVG pictures at all.
    static bool readable();

    explicit SvgPicture(const QByteArray& bytes);
    ~SvgPicture();
    SvgPicture(const SvgPicture&) = delete;
    SvgPicture& operator=(const SvgPicture&) = delete;

    bool isValid() const;
    // Its own size; an invalid size when it has none or is no valid SVG.
    QSize size() const;
    // Draws it over the whole of the painter's device.
    void draw(QPainter& painter) const;

private:
    struct Renderer; // what each build's file draws with
    std::unique_ptr<Renderer> renderer_;
};
