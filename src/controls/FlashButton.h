// The flat button of the tool bar, the page bars and the list pages: a glyph and a caption, a hot
// look under the mouse, and groups of buttons that stay down.
#pragma once

#include <QColor>
#include <QImage>
#include <QPointer>
#include <QString>
#include <QWidget>
#include <array>
#include <functional>
#include <optional>

class QAction;
class QPainter;

enum TButtonLayout { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };
enum TButtonState { bsUp = 0, bsDisabled = 1, bsPressed = 2, bsDown = 3, bsHot = 4 };

// The glyph strip and the image prepared for each look.
class TButtonGlyph {
public:
    void SetGlyph(const QImage& strip);
    const QImage& Glyph() const { return strip_; }
    int NumGlyphs() const { return numGlyphs_; }
    void SetNumGlyphs(int n);
    QRgb TransparentColor() const { return transparent_; }
    QSize ImageSize() const;
    // The image of a look, prepared on first use with the transparent colour masked out.
    const QImage& ImageFor(TButtonState look, const QPalette& palette);
    void Drop() { prepared_.fill(std::nullopt); }

private:
    QImage Part(int index) const;
    QImage strip_;
    int numGlyphs_ = 1;
    QRgb transparent_ = 0;
    std::array<std::optional<QImage>, 5> prepared_;
};

class TFlashButton : public QWidget {
    Q_OBJECT
    Q_PROPERTY(QString Caption READ Caption WRITE SetCaption)
    Q_PROPERTY(int GroupIndex READ GroupIndex WRITE SetGroupIndex)
    Q_PROPERTY(bool Down READ Down WRITE SetDown)
    Q_PROPERTY(bool AllowAllUp READ AllowAllUp WRITE SetAllowAllUp)
    Q_PROPERTY(int NumGlyphs READ NumGlyphs WRITE SetNumGlyphs)
    Q_PROPERTY(int Layout READ LayoutValue WRITE SetLayoutValue)
    Q_PROPERTY(int Margin READ Margin WRITE SetMargin)
    Q_PROPERTY(int Spacing READ Spacing WRITE SetSpacing)
    Q_PROPERTY(bool Transparent READ Transparent WRITE SetTransparent)
    Q_PROPERTY(QString GlyphFile WRITE SetGlyphFile READ GlyphFile)

public:
    explicit TFlashButton(QWidget* parent = nullptr);
    ~TFlashButton() override;
    // The tracking check: the look follows the cursor, wherever it is now.
    void FollowCursor();

    QColor FieldNormalColor() const;
    void SetFieldNormalColor(const QColor& c) {
        fieldNormal_ = c;
        update();
    }
    QColor FieldSelectedColor() const { return fieldSelected_; }
    void SetFieldSelectedColor(const QColor& c) { SetColor(fieldSelected_, c); }
    QColor FieldActiveColor() const { return fieldActive_; }
    void SetFieldActiveColor(const QColor& c) { SetColor(fieldActive_, c); }
    QColor FieldActiveSelected() const { return fieldActiveSelected_; }
    void SetFieldActiveSelected(const QColor& c) { SetColor(fieldActiveSelected_, c); }
    QColor BevelSelectedColor() const { return bevelSelected_; }
    void SetBevelSelectedColor(const QColor& c) { SetColor(bevelSelected_, c); }
    QColor BevelActiveColor() const { return bevelActive_; }
    void SetBevelActiveColor(const QColor& c) { SetColor(bevelActive_, c); }

    QString Caption() const { return caption_; }
    void SetCaption(const QString& caption);
    int GroupIndex() const { return groupIndex_; }
    void SetGroupIndex(int index);
    bool Down() const { return down_; }
    void SetDown(bool down);
    bool AllowAllUp() const { return allowAllUp_; }
    void SetAllowAllUp(bool allow);
    const QImage& Glyph() const { return glyph_.Glyph(); }
    void SetGlyph(const QImage& strip);
    QString GlyphFile() const { return glyphFile_; }
    void SetGlyphFile(const QString& path); // a strip from a file or a resource (window descriptions)
    int NumGlyphs() const { return glyph_.NumGlyphs(); }
    void SetNumGlyphs(int n);
    TButtonLayout Layout() const { return layout_; }
    int LayoutValue() const { return layout_; }
    void SetLayout(TButtonLayout layout);
    void SetLayoutValue(int layout) { SetLayout(static_cast<TButtonLayout>(layout)); }
    int Margin() const { return margin_; }
    void SetMargin(int margin);
    int Spacing() const { return spacing_; }
    void SetSpacing(int spacing);
    bool Transparent() const { return transparent_; }
    void SetTransparent(bool transparent);
    void SetAction(QAction* action);
    QAction* Action() const { return action_; }

    TButtonState State() const { return state_; }
    bool MouseInside() const { return mouseInside_; }
    // Clicks the button as a mouse click would.
    void Click();
    // Where the glyph's top-left corner and the caption go within `client`: the whole button in the
    // up and disabled looks, one pixel less on every side inside the frame of the others.
    void PlaceContent(const QRect& client, QPoint& glyphPos, QRect& textRect) const;
    QSize GlyphSize() const { return glyph_.Glyph().isNull() ? QSize(0, 0) : glyph_.ImageSize(); }

signals:
    void OnClick();
    void OnDblClick();

protected:
    void paintEvent(QPaintEvent*) override;
    void enterEvent(QEnterEvent*) override;
    void leaveEvent(QEvent*) override;
    void mousePressEvent(QMouseEvent*) override;
    void mouseMoveEvent(QMouseEvent*) override;
    void mouseReleaseEvent(QMouseEvent*) override;
    void mouseDoubleClickEvent(QMouseEvent*) override;
    void changeEvent(QEvent*) override;
    bool event(QEvent*) override;

private:
    void SetColor(QColor& field, const QColor& c);
    void MouseEnter();
    void MouseLeave();
    void TrackingCheck(bool underCursor);
    bool UnderCursor() const;
    bool Inside(const QPoint& p) const;
    void UpdateExclusive();
    void ButtonPressed(int group, TFlashButton* sender);
    void ActionChanged();
    void UpdateShortcut();

    std::optional<QColor> fieldNormal_;
    QColor fieldSelected_{176, 188, 208};
    QColor fieldActive_{208, 212, 216};
    QColor fieldActiveSelected_{132, 146, 181};
    QColor bevelSelected_{8, 36, 102};
    QColor bevelActive_{8, 36, 102};
    QString caption_;
    int groupIndex_ = 0;
    bool down_ = false;
    bool allowAllUp_ = false;
    TButtonGlyph glyph_;
    QString glyphFile_;
    TButtonLayout layout_ = blGlyphLeft;
    int margin_ = -1;
    int spacing_ = 4;
    bool transparent_ = false;
    QPointer<QAction> action_;
    int shortcutId_ = 0;

    TButtonState state_ = bsUp;
    bool dragging_ = false;
    bool blocked_ = false; // a modal window blocks this one
    bool mouseInside_ = false;
};

// A glyph strip of five images (up, disabled, pressed, down, hot), each `size` pixels square and
// painted by `paint` in the look's colour on the magenta background that the button masks out.
QImage PaintGlyphStrip(int size, const std::function<void(QPainter&, const QColor&, int size)>& paint);
