#include "tools/pictures/SvgPicture.h"

#include <QPainter>
#include <QSvgRenderer>

struct SvgPicture::Renderer
{
    explicit Renderer(const QByteArray& bytes) : svg(bytes) {}
    QSvgRenderer svg;
};

bool SvgPicture::readable()
{
    return true;
}

SvgPicture::SvgPicture(const QByteArray& bytes)
    : renderer_(std::make_unique<Renderer>(bytes))
{
}

SvgPicture::~SvgPicture() = default;

bool SvgPicture::isValid() const
{
    return renderer_->svg.isValid();
}

QSize SvgPicture::size() const
{
    return renderer_->svg.isValid() ? renderer_->svg.defaultSize() : QSize();
}

void SvgPicture::draw(QPainter& painter) const
{
    renderer_->svg.render(&painter);
}
