#include "controls/FlashButton.h"

#include <QAction>
#include <QApplication>
#include <QEnterEvent>
#include <QKeySequence>
#include <QMouseEvent>
#include <QPainter>
#include <QRegularExpression>
#include <QShortcutEvent>

// =============================================================================================
// TButtonGlyph

void TButtonGlyph::SetGlyph(const QImage& strip) {
    Drop();
    strip_ = strip.convertToFormat(QImage::Format_ARGB32);
    if (strip_.height() != 0) {
        // The strip's transparent colour: its bottom-left pixel.
        transparent_ = strip_.pixel(0, strip_.height() - 1);
        if (strip_.width() % strip_.height() == 0) numGlyphs_ = std::min(5, strip_.width() / strip_.height());
    }
}

void TButtonGlyph::SetNumGlyphs(int n) {
    if (n <= 0) return;
    n = std::min(n, 5);
    if (n != numGlyphs_) {
        numGlyphs_ = n;
        Drop();
    }
}

QSize TButtonGlyph::ImageSize() const {
    if (strip_.isNull()) return {0, 0};
    return {strip_.width() / numGlyphs_, strip_.height()};
}

QImage TButtonGlyph::Part(int index) const {
    const QSize s = ImageSize();
    return strip_.copy(index * s.width(), 0, s.width(), s.height());
}

const QImage& TButtonGlyph::ImageFor(TButtonState look, const QPalette& palette) {
    int slot = look;
    if (look == bsPressed && numGlyphs_ < 3) slot = bsUp;
    auto& cached = prepared_[slot];
    if (cached) return *cached;
    const QRgb face = palette.color(QPalette::Button).rgb();
    const QRgb highlight = palette.color(QPalette::Light).rgb();
    const QRgb shadow = palette.color(QPalette::Dark).rgb();
    QImage img;
    if (slot == bsDisabled && numGlyphs_ >= 2) {
        // Image 1 recoloured: white as highlight, grey as shadow, the transparent colour as face.
        img = Part(1);
        for (int y = 0; y < img.height(); ++y)
            for (int x = 0; x < img.width(); ++x) {
                const QRgb p = img.pixel(x, y) | 0xFF000000u;
                if (p == (transparent_ | 0xFF000000u))
                    img.setPixel(x, y, face);
                else if (p == 0xFFFFFFFFu)
                    img.setPixel(x, y, highlight);
                else if (p == 0xFF808080u)
                    img.setPixel(x, y, shadow);
            }
    } else if (slot == bsDisabled) {
        // Embossed from image 0: every dark pixel in the highlight colour one pixel right and
        // down, then in the shadow colour in place, on the button face.
        const QImage src = Part(0);
        img = QImage(src.size(), QImage::Format_ARGB32);
        img.fill(face);
        auto dark = [&](int x, int y) {
            const QRgb p = src.pixel(x, y);
            return (p | 0xFF000000u) != (transparent_ | 0xFF000000u) && qAlpha(p) > 0 && qGray(p) < 128;
        };
        for (int y = 0; y < src.height(); ++y)
            for (int x = 0; x < src.width(); ++x)
                if (dark(x, y) && x + 1 < img.width() && y + 1 < img.height()) img.setPixel(x + 1, y + 1, highlight);
        for (int y = 0; y < src.height(); ++y)
            for (int x = 0; x < src.width(); ++x)
                if (dark(x, y)) img.setPixel(x, y, shadow);
    } else {
        img = Part(slot < numGlyphs_ ? slot : 0);
        // The transparent colour is masked out.
        for (int y = 0; y < img.height(); ++y)
            for (int x = 0; x < img.width(); ++x)
                if ((img.pixel(x, y) | 0xFF000000u) == (transparent_ | 0xFF000000u)) img.setPixel(x, y, 0);
    }
    cached = img;
    return *cached;
}

// =============================================================================================
// TFlashButton

namespace {

// A menu or window that opens over a lit button takes the cursor from it, and one that closes gives
// the cursor to whatever lies under it, without an enter or leave event reaching the button (a menu
// grabs the mouse; Qt tells the change at the next mouse move, if any). The lit buttons therefore
// look again where the cursor is once such a window has come or gone.
class TCoverWatch : public QObject {
public:
    static TCoverWatch& Get() {
        static TCoverWatch* watch = [] {
            auto* w = new TCoverWatch(qApp);
            qApp->installEventFilter(w);
            return w;
        }();
        return *watch;
    }
    void Lit(TFlashButton* b, bool lit) {
        if (!lit) lit_.removeAll(b);
        else if (!lit_.contains(b)) lit_.append(b);
    }
    bool eventFilter(QObject* watched, QEvent* event) override {
        if ((event->type() == QEvent::Show || event->type() == QEvent::Hide) && !lit_.isEmpty() && watched->isWidgetType() &&
            static_cast<QWidget*>(watched)->isWindow() && !pending_) {
            // Once the window is really there or gone.
            pending_ = true;
            QMetaObject::invokeMethod(this, [this] { Recheck(); }, Qt::QueuedConnection);
        }
        return false;
    }

private:
    using QObject::QObject;
    void Recheck() {
        pending_ = false;
        for (TFlashButton* b : QList<TFlashButton*>(lit_))
            if (lit_.contains(b)) b->FollowCursor();
    }
    QList<TFlashButton*> lit_;
    bool pending_ = false;
};

} // namespace

TFlashButton::TFlashButton(QWidget* parent) : QWidget(parent) {
    resize(23, 22);
    setMouseTracking(true);
    setAttribute(Qt::WA_Hover, false);
    TCoverWatch::Get();
}

TFlashButton::~TFlashButton() { TCoverWatch::Get().Lit(this, false); }

void TFlashButton::FollowCursor() { TrackingCheck(UnderCursor()); }

QColor TFlashButton::FieldNormalColor() const { return fieldNormal_ ? *fieldNormal_ : palette().color(QPalette::Button); }

void TFlashButton::SetColor(QColor& field, const QColor& c) {
    field = c;
    update();
}

void TFlashButton::SetCaption(const QString& caption) {
    caption_ = caption;
    UpdateShortcut();
    update();
}

void TFlashButton::UpdateShortcut() {
    if (shortcutId_) releaseShortcut(shortcutId_);
    shortcutId_ = 0;
    const QKeySequence mnemonic = QKeySequence::mnemonic(caption_);
    if (!mnemonic.isEmpty()) shortcutId_ = grabShortcut(mnemonic, Qt::WindowShortcut);
}

void TFlashButton::SetGlyph(const QImage& strip) {
    glyph_.SetGlyph(strip);
    update();
}

void TFlashButton::SetGlyphFile(const QString& path) {
    glyphFile_ = path;
    SetGlyph(QImage(path));
}

void TFlashButton::SetNumGlyphs(int n) {
    glyph_.SetNumGlyphs(n);
    update();
}

void TFlashButton::SetLayout(TButtonLayout layout) {
    if (layout == layout_) return;
    layout_ = layout;
    update();
}

void TFlashButton::SetMargin(int margin) {
    if (margin == margin_ || margin < -1) return;
    margin_ = margin;
    update();
}

void TFlashButton::SetSpacing(int spacing) {
    if (spacing == spacing_) return;
    spacing_ = spacing;
    update();
}

void TFlashButton::SetTransparent(bool transparent) {
    if (transparent == transparent_) return;
    transparent_ = transparent;
    update();
}

// ---------------------------------------------------------------------------------------------
// Groups

void TFlashButton::SetDown(bool down) {
    if (groupIndex_ == 0) down = false;
    if (down == down_) return;
    if (down_ && !allowAllUp_) return; // a down button is released only by another of the group
    down_ = down;
    if (down) {
        if (state_ == bsUp) update();
        state_ = bsDown;
        UpdateExclusive();
    } else {
        state_ = bsUp;
        update();
    }
}

void TFlashButton::SetGroupIndex(int index) {
    if (index == groupIndex_) return;
    groupIndex_ = index;
    UpdateExclusive();
}

void TFlashButton::SetAllowAllUp(bool allow) {
    if (allow == allowAllUp_) return;
    allowAllUp_ = allow;
    UpdateExclusive();
}

void TFlashButton::UpdateExclusive() {
    if (groupIndex_ == 0 || !parentWidget()) return;
    for (TFlashButton* b : parentWidget()->findChildren<TFlashButton*>(Qt::FindDirectChildrenOnly))
        if (b != this) b->ButtonPressed(groupIndex_, this);
}

void TFlashButton::ButtonPressed(int group, TFlashButton* sender) {
    if (group != groupIndex_) return;
    if (sender->down_ && down_) {
        down_ = false;
        state_ = bsUp;
        update();
    }
    allowAllUp_ = sender->allowAllUp_;
}

// ---------------------------------------------------------------------------------------------
// Mouse

bool TFlashButton::Inside(const QPoint& p) const { return p.x() >= 0 && p.x() < width() && p.y() >= 0 && p.y() <= height(); }

void TFlashButton::MouseEnter() {
    if (!isEnabled() || mouseInside_ || QWidget::mouseGrabber()) return;
    mouseInside_ = true;
    TCoverWatch::Get().Lit(this, true);
    if (state_ == bsUp) state_ = bsHot;
    update();
}

void TFlashButton::MouseLeave() {
    if (!isEnabled() || !mouseInside_ || dragging_) return;
    mouseInside_ = false;
    TCoverWatch::Get().Lit(this, false);
    if (state_ == bsHot) state_ = bsUp;
    update();
}

void TFlashButton::TrackingCheck(bool underCursor) {
    if (!isEnabled()) return;
    mouseInside_ = !underCursor;
    if (underCursor)
        MouseEnter();
    else
        MouseLeave();
}

// The button is under the cursor when nothing covers it there: not a window opened over it.
bool TFlashButton::UnderCursor() const {
    const QPoint cursor = QCursor::pos();
    return isVisible() && !blocked_ && rect().contains(mapFromGlobal(cursor)) && QApplication::widgetAt(cursor) == this;
}

void TFlashButton::enterEvent(QEnterEvent*) { MouseEnter(); }
void TFlashButton::leaveEvent(QEvent*) { MouseLeave(); }

void TFlashButton::mousePressEvent(QMouseEvent* e) {
    if (e->button() != Qt::LeftButton || !isEnabled()) return;
    if (!down_) {
        state_ = bsPressed;
        update();
    }
    dragging_ = true;
}

void TFlashButton::mouseMoveEvent(QMouseEvent* e) {
    const QPoint p = e->position().toPoint();
    if (dragging_) {
        TButtonState look = down_ ? bsDown : bsUp;
        if (Inside(p)) look = down_ ? bsDown : bsPressed;
        if (look != state_) {
            state_ = look;
            update();
        }
    } else if (!mouseInside_) {
        TrackingCheck(rect().contains(p));
    }
}

void TFlashButton::mouseReleaseEvent(QMouseEvent* e) {
    if (!dragging_ || e->button() != Qt::LeftButton) return;
    dragging_ = false;
    const bool inside = Inside(e->position().toPoint());
    if (groupIndex_ == 0) {
        state_ = bsUp;
        mouseInside_ = false;
        if (inside) update();
    } else if (inside) {
        const bool wasDown = down_;
        SetDown(!down_);
        if (down_ && !wasDown) update();
        if (down_) state_ = bsDown;
    } else {
        if (down_) state_ = bsDown;
        update();
    }
    if (inside) Click();
    // The click may have run a command with its own windows, while the cursor went elsewhere: the
    // look follows where the cursor is now, not where the button was released.
    TrackingCheck(UnderCursor());
}

void TFlashButton::mouseDoubleClickEvent(QMouseEvent* e) {
    if (e->button() == Qt::LeftButton && down_) emit OnDblClick();
    else mousePressEvent(e);
}

void TFlashButton::Click() {
    if (action_)
        action_->trigger();
    emit OnClick();
}

bool TFlashButton::event(QEvent* e) {
    if (e->type() == QEvent::Shortcut && static_cast<QShortcutEvent*>(e)->shortcutId() == shortcutId_) {
        if (isEnabled() && isVisible() && parentWidget() && parentWidget()->isVisible()) Click();
        return true;
    }
    // While a modal window blocks this one no leave event comes through, so the hot look would
    // stay after the mouse went to the dialog; the look is dropped and taken up again afterwards.
    if (e->type() == QEvent::WindowBlocked) {
        blocked_ = true;
        MouseLeave();
    }
    if (e->type() == QEvent::WindowUnblocked) {
        blocked_ = false;
        TrackingCheck(UnderCursor());
    }
    return QWidget::event(e);
}

void TFlashButton::changeEvent(QEvent* e) {
    if (e->type() == QEvent::EnabledChange) {
        glyph_.Drop();
        TrackingCheck(UnderCursor());
        update();
    } else if (e->type() == QEvent::PaletteChange) {
        glyph_.Drop();
        update();
    } else if (e->type() == QEvent::FontChange) {
        update();
    }
    QWidget::changeEvent(e);
}

// ---------------------------------------------------------------------------------------------
// Actions

void TFlashButton::SetAction(QAction* action) {
    if (action_) disconnect(action_, nullptr, this, nullptr);
    action_ = action;
    if (!action) return;
    connect(action, &QAction::changed, this, [this] { ActionChanged(); });
    ActionChanged();
}

void TFlashButton::ActionChanged() {
    if (!action_) return;
    SetCaption(action_->text());
    setToolTip(action_->toolTip());
    setEnabled(action_->isEnabled());
    if (glyph_.Glyph().isNull() && !action_->icon().isNull()) {
        const QSize size = action_->icon().availableSizes().value(0, QSize(16, 16));
        QImage img(size, QImage::Format_ARGB32);
        img.fill(QColor(255, 0, 255)); // the background that becomes transparent
        QPainter p(&img);
        action_->icon().paint(&p, img.rect());
        p.end();
        SetGlyph(img);
    }
}

// ---------------------------------------------------------------------------------------------
// Painting

void TFlashButton::PlaceContent(const QRect& client, QPoint& glyphPos, QRect& textRect) const {
    const QSize glyph = GlyphSize();
    TButtonLayout layout = layout_;
    if (layoutDirection() == Qt::RightToLeft) {
        if (layout == blGlyphLeft) layout = blGlyphRight;
        else if (layout == blGlyphRight) layout = blGlyphLeft;
    }
    const bool horizontal = layout == blGlyphLeft || layout == blGlyphRight;
    QSize text(0, 0);
    if (!caption_.isEmpty()) {
        QString shown = caption_;
        shown.remove(QRegularExpression(QStringLiteral("&(?!&)")));
        text = fontMetrics().boundingRect(QRect(0, 0, client.width(), 0), 0, shown).size();
        // A caption longer than the room beside or under the glyph goes on in further lines,
        // broken between words, instead of running out of the button.
        const int room = client.width() - (horizontal && glyph.width() > 0 ? glyph.width() + std::max(spacing_, 0) : 0);
        if (text.width() > room && room > 0)
            text = fontMetrics().boundingRect(QRect(0, 0, room, 0), Qt::TextWordWrap, shown).size();
    }
    QPoint g, t;
    if (horizontal) {
        g.setY((client.height() - glyph.height() + 1) / 2);
        t.setY((client.height() - text.height() + 1) / 2);
    } else {
        g.setX((client.width() - glyph.width() + 1) / 2);
        t.setX((client.width() - text.width() + 1) / 2);
    }
    const int clientAlong = horizontal ? client.width() : client.height();
    const int glyphAlong = horizontal ? glyph.width() : glyph.height();
    const int textAlong = horizontal ? text.width() : text.height();
    int spacing = spacing_, margin = margin_;
    if (textAlong == 0 || glyphAlong == 0) spacing = 0;
    if (margin == -1) {
        if (spacing == -1) {
            margin = (clientAlong - glyphAlong - textAlong) / 3;
            spacing = margin;
        } else {
            margin = (clientAlong - glyphAlong - spacing - textAlong + 1) / 2;
        }
    } else if (spacing == -1) {
        spacing = (clientAlong - margin - glyphAlong - textAlong) / 2;
    }
    int gAlong, tAlong;
    if (layout == blGlyphLeft || layout == blGlyphTop) {
        gAlong = margin;
        tAlong = gAlong + glyphAlong + spacing;
    } else {
        gAlong = clientAlong - margin - glyphAlong;
        tAlong = gAlong - spacing - textAlong;
    }
    if (horizontal) {
        g.setX(gAlong);
        t.setX(tAlong);
    } else {
        g.setY(gAlong);
        t.setY(tAlong);
    }
    glyphPos = g + client.topLeft();
    textRect = QRect(t + client.topLeft(), text);
}

void TFlashButton::paintEvent(QPaintEvent*) {
    if (!isEnabled()) {
        state_ = bsDisabled;
        dragging_ = false;
    } else if (state_ == bsDisabled) {
        state_ = down_ && groupIndex_ != 0 ? bsDown : bsUp;
    }
    QPainter p(this);
    p.setFont(font());
    QRect r = rect();
    QRect content = r;
    const bool activeLook = state_ == bsPressed || state_ == bsDown || state_ == bsHot;
    if (activeLook) {
        if (transparent_) {
            // A 3-D edge without fill: sunken for pressed and down, raised for hot.
            const bool sunken = state_ != bsHot;
            const QColor tl = palette().color(sunken ? QPalette::Dark : QPalette::Light);
            const QColor br = palette().color(sunken ? QPalette::Light : QPalette::Dark);
            p.setPen(tl);
            p.drawLine(r.topLeft(), r.topRight());
            p.drawLine(r.topLeft(), r.bottomLeft());
            p.setPen(br);
            p.drawLine(r.bottomLeft(), r.bottomRight());
            p.drawLine(r.topRight(), r.bottomRight());
        } else {
            QColor frame, fill;
            if (state_ == bsHot) {
                frame = bevelSelected_;
                fill = fieldSelected_;
            } else {
                frame = bevelActive_;
                fill = mouseInside_ ? fieldActiveSelected_ : fieldActive_;
            }
            p.fillRect(r, frame);
            p.fillRect(r.adjusted(1, 1, -1, -1), fill);
        }
        content = r.adjusted(1, 1, -1, -1);
    } else if (!transparent_) {
        p.fillRect(r, FieldNormalColor());
    }

    QPoint glyphPos;
    QRect textRect;
    PlaceContent(content, glyphPos, textRect);
    if (!glyph_.Glyph().isNull()) p.drawImage(glyphPos, glyph_.ImageFor(state_, palette()));
    if (!caption_.isEmpty()) {
        const int flags = Qt::AlignCenter | Qt::TextShowMnemonic | Qt::TextWordWrap;
        if (state_ == bsDisabled) {
            p.setPen(palette().color(QPalette::Light));
            p.drawText(textRect.translated(1, 1), flags, caption_);
            p.setPen(palette().color(QPalette::Dark));
            p.drawText(textRect, flags, caption_);
        } else {
            p.setPen(palette().color(QPalette::WindowText));
            p.drawText(textRect, flags, caption_);
        }
    }
}

QImage PaintGlyphStrip(int size, const std::function<void(QPainter&, const QColor&, int)>& paint) {
    const QColor colours[5] = {QColor(30, 60, 130), QColor(128, 128, 128), QColor(30, 60, 130), QColor(20, 40, 100),
                               QColor(60, 110, 200)};
    QImage strip(size * 5, size, QImage::Format_RGB32);
    strip.fill(QColor(255, 0, 255));
    QPainter p(&strip);
    // No smoothing: every pixel is either the glyph's colour or the background that is masked out.
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setRenderHint(QPainter::TextAntialiasing, false);
    for (int i = 0; i < 5; ++i) {
        p.save();
        p.translate(i * size, 0);
        paint(p, colours[i], size);
        p.restore();
    }
    return strip;
}
