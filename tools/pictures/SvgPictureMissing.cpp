// SvgPicture in a build without Qt SVG: no SVG picture is read; the
// converter asks readable() first and says so.

#include "tools/pictures/SvgPicture.h"

struct SvgPicture::Renderer
{
};

bool SvgPicture::readable()
{
    return false;
}

SvgPicture::SvgPicture(const QByteArray&) {}

SvgPicture::~SvgPicture() = default;

bool SvgPicture::isValid() const
{
    return false;
}

QSize SvgPicture::size() const
{
    return {};
}

void SvgPicture::draw(QPainter&) const {}
