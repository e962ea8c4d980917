#include "UiTestUtil.h"
#include "controls/FlashButton.h"

#include <QAction>
#include <QDialog>
#include <QMenu>
#include <functional>
#include <QEnterEvent>
#include <QTimer>
#include <QMouseEvent>
#include <QPainter>
#include <gtest/gtest.h>
#include <memory>

namespace {

// A strip of `count` 16 x 16 images on a magenta background; image i is a filled square of
// colour Colour(i) with its bottom-left pixel left transparent.
QColor Colour(int i) { return QColor(QColor::fromHsv(i * 60, 255, 200).rgb()); }

QImage Strip(int count, int size = 16) {
    QImage img(size * count, size, QImage::Format_RGB32);
    img.fill(QColor(255, 0, 255));
    QPainter p(&img);
    for (int i = 0; i < count; ++i) p.fillRect(i * size + 4, 4, size - 8, size - 8, Colour(i));
    return img;
}

struct Host {
    Host() {
        parent.resize(200, 100);
        parent.show();
    }
    TFlashButton* Add(int x) {
        auto* b = new TFlashButton(&parent);
        b->move(x, 0);
        b->resize(40, 40);
        b->SetGlyph(Strip(5));
        b->show();
        return b;
    }
    QWidget parent;
};

QColor Pixel(TFlashButton* b, int x, int y) { return QColor(b->grab().toImage().pixel(x, y)); }

void Enter(TFlashButton* b) {
    QEnterEvent e(QPointF(5, 5), QPointF(5, 5), b->mapToGlobal(QPointF(5, 5)));
    QApplication::sendEvent(b, &e);
}
void Leave(TFlashButton* b) {
    QEvent e(QEvent::Leave);
    QApplication::sendEvent(b, &e);
}
// Puts the screen's cursor over this point of the button (the looks after a click follow it).
void CursorTo(TFlashButton* b, QPoint p) { QCursor::setPos(b->mapToGlobal(p)); }

} // namespace

TEST(FlashButton, Defaults) {
    TFlashButton b;
    EXPECT_EQ(b.size(), QSize(23, 22));
    EXPECT_EQ(b.FieldSelectedColor(), QColor(176, 188, 208));
    EXPECT_EQ(b.FieldActiveColor(), QColor(208, 212, 216));
    EXPECT_EQ(b.FieldActiveSelected(), QColor(132, 146, 181));
    EXPECT_EQ(b.BevelSelectedColor(), QColor(8, 36, 102));
    EXPECT_EQ(b.BevelActiveColor(), QColor(8, 36, 102));
    EXPECT_EQ(b.Margin(), -1);
    EXPECT_EQ(b.Spacing(), 4);
    b.SetMargin(-5);
    EXPECT_EQ(b.Margin(), -1);
}

TEST(FlashButton, GlyphStripSetsTheImageCount) {
    TFlashButton b;
    b.SetGlyph(QImage(120, 20, QImage::Format_RGB32));
    EXPECT_EQ(b.NumGlyphs(), 5);
    b.SetNumGlyphs(2);
    b.SetGlyph(QImage(50, 20, QImage::Format_RGB32));
    EXPECT_EQ(b.NumGlyphs(), 2);
    b.SetNumGlyphs(0);
    EXPECT_EQ(b.NumGlyphs(), 2);
    b.SetNumGlyphs(9);
    EXPECT_EQ(b.NumGlyphs(), 5);
}

TEST(FlashButton, HotLookUnderTheMouse) {
    Host h;
    TFlashButton* b = h.Add(0);
    // Up: the plain fill, image 0, its transparent colour masked out.
    EXPECT_EQ(Pixel(b, 1, 1), b->FieldNormalColor());
    EXPECT_EQ(Pixel(b, 20, 20), Colour(0));
    EXPECT_EQ(Pixel(b, 13, 13), b->FieldNormalColor()); // the glyph's magenta background
    Enter(b);
    EXPECT_EQ(b->State(), bsHot);
    EXPECT_EQ(Pixel(b, 0, 0), b->BevelSelectedColor());
    EXPECT_EQ(Pixel(b, 2, 2), b->FieldSelectedColor());
    EXPECT_EQ(Pixel(b, 20, 20), Colour(4));
    Leave(b);
    EXPECT_EQ(b->State(), bsUp);
    EXPECT_EQ(Pixel(b, 20, 20), Colour(0));
}

TEST(FlashButton, PressDragAndClick) {
    Host h;
    TFlashButton* b = h.Add(0);
    int clicks = 0;
    QObject::connect(b, &TFlashButton::OnClick, [&] { ++clicks; });
    Enter(b);
    QTest::mousePress(b, Qt::LeftButton, {}, QPoint(10, 10));
    EXPECT_EQ(b->State(), bsPressed);
    EXPECT_EQ(Pixel(b, 20, 20), Colour(2));
    QTest::mouseMove(b, QPoint(100, 10));
    EXPECT_EQ(b->State(), bsUp); // dragged off: the up look, never the hot one
    QTest::mouseRelease(b, Qt::LeftButton, {}, QPoint(100, 10));
    EXPECT_EQ(clicks, 0);

    CursorTo(b, QPoint(10, 10));
    QTest::mousePress(b, Qt::LeftButton, {}, QPoint(10, 10));
    QTest::mouseRelease(b, Qt::LeftButton, {}, QPoint(10, 10));
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(b->State(), bsHot); // the cursor is still over it
}

// A click whose command shows a modal dialog: the mouse goes to the dialog and away from the
// button, which no leave event tells while the dialog blocks its window.
TEST(FlashButton, LookAfterACommandWithADialogFollowsTheCursor) {
    Host h;
    TFlashButton* b = h.Add(0);
    TButtonState whileOpen = bsDisabled;
    QObject::connect(b, &TFlashButton::OnClick, [&] {
        QDialog d(&h.parent);
        QTimer::singleShot(0, &d, [&] {
            whileOpen = b->State();
            QCursor::setPos(h.parent.mapToGlobal(QPoint(150, 90)));
            d.accept();
        });
        d.exec();
    });
    CursorTo(b, QPoint(10, 10));
    Enter(b);
    QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(10, 10));
    EXPECT_EQ(whileOpen, bsUp);
    EXPECT_EQ(b->State(), bsUp);
    EXPECT_FALSE(b->MouseInside());
    EXPECT_EQ(Pixel(b, 20, 20), Colour(0));

    // The cursor back over the button when the dialog closes: hot again.
    QObject::disconnect(b, &TFlashButton::OnClick, nullptr, nullptr);
    QObject::connect(b, &TFlashButton::OnClick, [&] {
        QDialog d(&h.parent);
        QTimer::singleShot(0, &d, [&] { d.accept(); });
        d.exec();
    });
    CursorTo(b, QPoint(10, 10));
    Enter(b);
    QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(10, 10));
    EXPECT_EQ(b->State(), bsHot);
}

TEST(FlashButton, GroupsKeepOneButtonDown) {
    Host h;
    TFlashButton* a = h.Add(0);
    TFlashButton* c = h.Add(50);
    a->SetGroupIndex(1);
    c->SetGroupIndex(1);
    a->SetDown(true);
    CursorTo(c, QPoint(10, 10));
    EXPECT_EQ(Pixel(a, 0, 0), a->BevelActiveColor());
    EXPECT_EQ(Pixel(a, 2, 2), a->FieldActiveColor());
    EXPECT_EQ(Pixel(a, 20, 20), Colour(3));
    QTest::mouseClick(c, Qt::LeftButton, {}, QPoint(10, 10));
    EXPECT_TRUE(c->Down());
    EXPECT_FALSE(a->Down());
    EXPECT_EQ(c->State(), bsDown);
    EXPECT_EQ(Pixel(c, 2, 2), c->FieldActiveSelected()); // down and under the mouse
    // Without AllowAllUp a click keeps the down button down; with it the button comes up.
    QTest::mouseClick(c, Qt::LeftButton, {}, QPoint(10, 10));
    EXPECT_TRUE(c->Down());
    c->SetAllowAllUp(true);
    EXPECT_TRUE(a->AllowAllUp());
    QTest::mouseClick(c, Qt::LeftButton, {}, QPoint(10, 10));
    EXPECT_FALSE(c->Down());
    EXPECT_FALSE(a->Down());
    TFlashButton plain;
    plain.SetDown(true);
    EXPECT_FALSE(plain.Down());
}

TEST(FlashButton, DisabledLooks) {
    Host h;
    TFlashButton* b = h.Add(0);
    b->setEnabled(false);
    // Two images or more: image 1 recoloured (its own colour is neither white nor grey).
    EXPECT_EQ(Pixel(b, 20, 20), Colour(1));
    EXPECT_EQ(Pixel(b, 13, 13), b->palette().color(QPalette::Button));
    TFlashButton* one = h.Add(50);
    QImage glyph(16, 16, QImage::Format_RGB32);
    glyph.fill(Qt::white);
    QPainter(&glyph).fillRect(4, 4, 8, 8, Qt::black);
    one->SetGlyph(glyph);
    one->setEnabled(false);
    // One image: embossed, the dark pixels in the shadow colour, shifted copies in the highlight.
    const QPoint glyphAt((40 - 16 + 1) / 2, (40 - 16 + 1) / 2);
    EXPECT_EQ(Pixel(one, glyphAt.x() + 5, glyphAt.y() + 5), one->palette().color(QPalette::Dark));
    EXPECT_EQ(Pixel(one, glyphAt.x() + 12, glyphAt.y() + 12), one->palette().color(QPalette::Light));
}

TEST(FlashButton, FewerImagesFallBackToTheFirst) {
    Host h;
    TFlashButton* b = h.Add(0);
    b->SetGlyph(Strip(2));
    EXPECT_EQ(b->NumGlyphs(), 2);
    QTest::mousePress(b, Qt::LeftButton, {}, QPoint(10, 10));
    EXPECT_EQ(Pixel(b, 20, 20), Colour(0)); // pressed with two images: image 0
    QTest::mouseRelease(b, Qt::LeftButton, {}, QPoint(10, 10));
    b->SetGlyph(Strip(3));
    b->SetGroupIndex(1);
    b->SetDown(true);
    EXPECT_EQ(Pixel(b, 20, 20), Colour(0)); // down with three images: image 0
}

TEST(FlashButton, TransparentPaintsNoFill) {
    Host h;
    TFlashButton* b = h.Add(0);
    QPalette pal = h.parent.palette();
    pal.setColor(QPalette::Window, QColor(1, 2, 3));
    h.parent.setPalette(pal);
    h.parent.setAutoFillBackground(true);
    b->SetTransparent(true);
    EXPECT_EQ(h.parent.grab().toImage().pixelColor(1, 1), QColor(1, 2, 3));
}

TEST(FlashButton, CaptionUnderTheGlyph) {
    Host h;
    TFlashButton* b = h.Add(0);
    b->resize(80, 60);
    b->SetLayout(blGlyphTop);
    b->SetCaption(QStringLiteral("Доходы"));
    const QImage img = b->grab().toImage();
    // The glyph is centred across and lies above the caption.
    EXPECT_EQ(img.pixelColor(40, 18), QColor(Colour(0)));
    bool textBelow = false;
    for (int y = 30; y < 60; ++y)
        for (int x = 0; x < 80; ++x)
            if (img.pixelColor(x, y) != b->FieldNormalColor()) textBelow = true;
    EXPECT_TRUE(textBelow);
}

// A caption longer than the room beside the glyph goes on in a second line, broken between words,
// within the button and clear of the glyph.
TEST(FlashButton, LongCaptionBesideTheGlyphTakesTwoLines) {
    Host h;
    TFlashButton* b = h.Add(0);
    const QString caption = QStringLiteral("Уплата по уведомлениям");
    const int line = b->fontMetrics().height();
    b->resize(16 + 4 + b->fontMetrics().horizontalAdvance(caption) * 3 / 4, 2 * line + 4);
    b->SetLayout(blGlyphLeft);
    b->SetCaption(caption);
    QPoint glyph;
    QRect text;
    b->PlaceContent(b->rect(), glyph, text);
    EXPECT_TRUE(b->rect().contains(text));
    EXPECT_GE(text.left(), glyph.x() + 16 + 4);
    EXPECT_GE(text.height(), 2 * line);
    // Both lines are painted: the caption's colour above and below its middle.
    const QImage img = b->grab().toImage();
    const auto inked = [&](int top, int bottom) {
        for (int y = top; y < bottom; ++y)
            for (int x = text.left(); x <= text.right(); ++x)
                if (img.pixelColor(x, y) != b->FieldNormalColor()) return true;
        return false;
    };
    EXPECT_TRUE(inked(text.top(), text.center().y()));
    EXPECT_TRUE(inked(text.center().y() + 1, text.bottom() + 1));
}

TEST(FlashButton, FollowsItsAction) {
    Host h;
    TFlashButton* b = h.Add(0);
    b->SetGlyph(QImage());
    QAction action(QStringLiteral("Открыть"));
    QImage icon(16, 16, QImage::Format_RGB32);
    icon.fill(Qt::blue);
    action.setIcon(QIcon(QPixmap::fromImage(icon)));
    int triggered = 0;
    QObject::connect(&action, &QAction::triggered, [&] { ++triggered; });
    b->SetAction(&action);
    EXPECT_EQ(b->Caption(), QStringLiteral("Открыть"));
    EXPECT_FALSE(b->Glyph().isNull()); // the action's image becomes the glyph
    action.setEnabled(false);
    EXPECT_FALSE(b->isEnabled());
    action.setEnabled(true);
    QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(10, 10));
    EXPECT_EQ(triggered, 1);
}

// A menu or a window that opens over a hot button takes the cursor from it without a leave event
// reaching the button; when it closes with the cursor elsewhere, the button is no longer lit.
TEST(FlashButton, LookAfterAMenuOrWindowCoveredItFollowsTheCursor) {
    struct Case {
        const char* what;
        std::function<QWidget*(QWidget* parent)> make;
    } cases[] = {
        {"a menu", [](QWidget* parent) {
             auto* m = new QMenu(parent);
             m->addAction(QStringLiteral("Открыть"));
             m->addAction(QStringLiteral("Сохранить"));
             return static_cast<QWidget*>(m);
         }},
        {"a window", [](QWidget* parent) {
             auto* w = new QDialog(parent);
             w->resize(150, 120);
             return static_cast<QWidget*>(w);
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Host h;
        TFlashButton* b = h.Add(0);
        CursorTo(b, QPoint(10, 10));
        Enter(b);
        ASSERT_EQ(b->State(), bsHot);
        std::unique_ptr<QWidget> cover(c.make(&h.parent));
        cover->move(b->mapToGlobal(QPoint(0, 0)));
        cover->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(cover.get(), uitest::kFailAfterMs));
        // The cursor goes to another place of the menu or window, away from the button, then it closes.
        QCursor::setPos(cover->mapToGlobal(QPoint(cover->width() - 5, cover->height() - 5)));
        cover->hide();
        ASSERT_TRUE(QTest::qWaitFor([b] { return b->State() == bsUp; }, uitest::kFailAfterMs)) << int(b->State());
        EXPECT_FALSE(b->MouseInside());
    }
}
