#include "qt/views/client_looks.h"

#include <QApplication>
#include <QIconEngine>
#include <QPainter>
#include <QPainterPath>
#include <QPalette>
#include <array>

namespace qtplatform {
namespace {

using kestova::ClientState;

enum class Shape { Ring, Play, Warning, Pause, Slashed, Diamond };

struct Design {
    Shape shape;
    QRgb light;  // on a light base: dark enough to read as text
    QRgb dark;   // on a dark base
    const char* name;
};

// In the order of ClientState.
constexpr std::array<Design, 6> kDesigns{{
    {Shape::Ring, 0x1565C0, 0x64B5F6, "Ready"},
    {Shape::Play, 0x2E7D32, 0x81C784, "In use"},
    {Shape::Warning, 0xC62828, 0xFF8A80, "Ending soon"},
    {Shape::Pause, 0xB35900, 0xFFB74D, "Paused"},
    {Shape::Slashed, 0x616161, 0xBDBDBD, "Disabled"},
    {Shape::Diamond, 0x6A1B9A, 0xCE93D8, "Administrator mode"},
}};

constexpr QRgb kLightMarkTab = 0x00796B;
constexpr QRgb kDarkMarkTab = 0x4DB6AC;
constexpr QRgb kDarkOnMarkTab = 0x0B1F1D;

bool darkPalette() {
    constexpr int kMidLightness = 128;
    return QApplication::palette().color(QPalette::Base).lightness() < kMidLightness;
}

// A state's shape in its colour, drawn at whatever size and pixel ratio the view asks for, so it
// stays sharp at any scaling.
class ShapeIconEngine : public QIconEngine {
public:
    ShapeIconEngine(Shape shape, QColor color) : shape_(shape), color_(color) {}

    QIconEngine* clone() const override { return new ShapeIconEngine(*this); }

    // QIconEngine's own pixmap leaves its memory uncleared beneath what paint() draws.
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        QPixmap pixmap(size);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        paint(&painter, QRect(QPoint(), size), mode, state);
        return pixmap;
    }

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State) override {
        const qreal side = std::min(rect.width(), rect.height()) * 0.8;
        QRectF box(0, 0, side, side);
        box.moveCenter(QRectF(rect).center());
        const QColor color = shownColor(mode);
        painter->save();
        painter->setRenderHint(QPainter::Antialiasing);
        painter->setPen(Qt::NoPen);
        painter->setBrush(color);
        draw(*painter, box, color);
        painter->restore();
    }

private:
    // On a highlighted row the shape alone tells the state, in the highlight's text colour.
    QColor shownColor(QIcon::Mode mode) const {
        const QPalette palette = QApplication::palette();
        switch (mode) {
            case QIcon::Disabled:
                return palette.color(QPalette::Disabled, QPalette::Text);
            case QIcon::Selected:
                return palette.color(QPalette::HighlightedText);
            default:
                return color_;
        }
    }

    void draw(QPainter& painter, const QRectF& box, const QColor& color) const {
        const qreal s = box.width();
        const auto at = [&box, s](qreal x, qreal y) { return box.topLeft() + QPointF(x, y) * s; };
        switch (shape_) {
            case Shape::Ring:
                ring(painter, box, color);
                break;
            case Shape::Play:
                painter.drawPolygon(QPolygonF({at(0.15, 0), at(0.15, 1), at(1, 0.5)}));
                break;
            case Shape::Warning: {
                painter.drawPolygon(QPolygonF({at(0.5, 0), at(1, 0.95), at(0, 0.95)}));
                const QColor mark = color.lightness() > 150 ? QColor(0x20, 0x20, 0x20) : Qt::white;
                painter.setPen(QPen(mark, s * 0.13, Qt::SolidLine, Qt::RoundCap));
                painter.drawLine(at(0.5, 0.38), at(0.5, 0.62));
                painter.drawPoint(at(0.5, 0.8));
                break;
            }
            case Shape::Pause:
                painter.drawRect(QRectF(at(0.12, 0), QSizeF(0.28, 1) * s));
                painter.drawRect(QRectF(at(0.6, 0), QSizeF(0.28, 1) * s));
                break;
            case Shape::Slashed:
                ring(painter, box, color);
                painter.drawLine(at(0.2, 0.2), at(0.8, 0.8));
                break;
            case Shape::Diamond:
                painter.drawPolygon(QPolygonF({at(0.5, 0), at(1, 0.5), at(0.5, 1), at(0, 0.5)}));
                break;
        }
    }

    // A circle outline; leaves the pen set for a stroke across it.
    static void ring(QPainter& painter, const QRectF& box, const QColor& color) {
        const qreal width = box.width() * 0.16;
        painter.setBrush(Qt::NoBrush);
        painter.setPen(QPen(color, width, Qt::SolidLine, Qt::FlatCap));
        painter.drawEllipse(box.adjusted(width / 2, width / 2, -width / 2, -width / 2));
    }

    Shape shape_;
    QColor color_;
};

std::array<ClientLook, kDesigns.size()> makeLooks(bool dark) {
    std::array<ClientLook, kDesigns.size()> looks;
    for (std::size_t i = 0; i < kDesigns.size(); ++i) {
        const Design& design = kDesigns[i];
        const QColor color(dark ? design.dark : design.light);
        looks[i] = {color, QIcon(new ShapeIconEngine(design.shape, color)),
                    QString::fromLatin1(design.name)};
    }
    return looks;
}

}  // namespace

const ClientLook& clientLook(ClientState state) {
    static const std::array<ClientLook, kDesigns.size()> light = makeLooks(false);
    static const std::array<ClientLook, kDesigns.size()> dark = makeLooks(true);
    return (darkPalette() ? dark : light).at(static_cast<std::size_t>(state));
}

MarkLook markLook() {
    return darkPalette() ? MarkLook{QColor(kDarkMarkTab), QColor(kDarkOnMarkTab)}
                         : MarkLook{QColor(kLightMarkTab), QColor(Qt::white)};
}

void paintCheckMark(QPainter& painter, const QRectF& box, const QColor& color) {
    const auto at = [&box](qreal x, qreal y) {
        return box.topLeft() + QPointF(x * box.width(), y * box.height());
    };
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(color, std::max(1.5, box.height() * 0.22), Qt::SolidLine, Qt::RoundCap,
                        Qt::RoundJoin));
    painter.drawPolyline(QPolygonF({at(0.08, 0.55), at(0.4, 0.88), at(0.92, 0.12)}));
    painter.restore();
}

}  // namespace qtplatform
