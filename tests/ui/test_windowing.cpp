#include "UiTestUtil.h"
#include "controls/MaskedEdit.h"
#include "platform/JpegImage.h"
#include "platform/QtWindowing.h"

#include <QBuffer>
#include <QFile>
#include <QTreeWidget>
#include <gtest/gtest.h>
#include <stdexcept>

TEST(Windowing, DocumentChangedIsASynchronousCall) {
    int calls = 0;
    EXPECT_FALSE(docnotify::HasMainWindow());
    docnotify::SendDocumentChanged(); // no main window: nothing happens
    docnotify::SetMainWindowHandler([&] { ++calls; });
    docnotify::SendDocumentChanged();
    EXPECT_EQ(calls, 1);
    docnotify::SetMainWindowHandler({});
}

TEST(Windowing, ExceptionsStopAtTheCommand) {
    std::vector<QString> shown;
    SetMessageBoxHook([&](const QString& text, TMsgIcon icon, TMsgButtons) {
        EXPECT_EQ(icon, TMsgIcon::Error);
        shown.push_back(text);
        return int(mrOk);
    });
    bool after = false;
    GuardedCall(nullptr, [&] {
        throw std::runtime_error("Ошибка чтения файла: a.vrq");
        after = true;
    });
    EXPECT_FALSE(after);
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0], QString::fromUtf8("Ошибка чтения файла: a.vrq"));
    SetMessageBoxHook({});
}

TEST(Windowing, MessageBoxesAreTitledAndInRussian) {
    uitest::ModalAnswerer answer({[](QDialog* d) {
        EXPECT_EQ(d->windowTitle(), QString::fromUtf8("Велмарод"));
        auto buttons = d->findChildren<QPushButton*>();
        QStringList texts;
        for (auto* b : buttons) texts << b->text();
        EXPECT_TRUE(texts.contains(QString::fromUtf8("Да")));
        EXPECT_TRUE(texts.contains(QString::fromUtf8("Нет")));
        EXPECT_TRUE(texts.contains(QString::fromUtf8("Отмена")));
        for (auto* b : buttons)
            if (b->text() == QString::fromUtf8("Нет")) b->click();
    }});
    EXPECT_EQ(MessageBox(nullptr, "?", TMsgIcon::Question, TMsgButtons::YesNoCancel), mrNo);
}

namespace {
class ProbeDialog : public TKeyPreviewDialog {
public:
    ProbeDialog() {
        edit = new TMaskedEdit(this);
        edit->setEditType(edtNone);
    }
    int confirmations = 0;
    TMaskedEdit* edit;

protected:
    void Confirm() override { ++confirmations; }
};
} // namespace

TEST(Windowing, DialogsSeeEnterAndEscFirst) {
    ProbeDialog d;
    d.show();
    QApplication::setActiveWindow(&d);
    d.edit->setFocus();
    uitest::Type(d.edit, "ab");
    EXPECT_EQ(d.edit->Text(), "ab");
    uitest::Key(d.edit, Qt::Key_Return);
    EXPECT_EQ(d.confirmations, 1); // Enter typed inside an edit runs the confirmation, once
    EXPECT_TRUE(d.isVisible());
    uitest::Key(d.edit, Qt::Key_Escape);
    EXPECT_FALSE(d.isVisible());
    EXPECT_EQ(d.result(), QDialog::Rejected);
}

TEST(Windowing, ListReportsTheLostRowBeforeTheGainedOne) {
    QTreeWidget list;
    for (int i = 0; i < 3; ++i) new QTreeWidgetItem(&list, QStringList{QString::number(i)});
    std::vector<std::pair<int, bool>> calls;
    ConnectSelectItem(&list, [&](int row, bool selected) { calls.emplace_back(row, selected); });
    list.setCurrentItem(list.topLevelItem(0));
    list.setCurrentItem(list.topLevelItem(2));
    const std::vector<std::pair<int, bool>> expected{{0, true}, {0, false}, {2, true}};
    EXPECT_EQ(calls, expected);
}

TEST(Windowing, JpegThroughLibjpeg) {
    QFile f(":/velmarod/about.jpg");
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray bytes = f.readAll();
    const QImage img = DecodeJpeg(bytes);
    EXPECT_EQ(img.width(), 460);
    EXPECT_EQ(img.height(), 104);
    EXPECT_TRUE(DecodeJpeg(bytes.left(100)).isNull() || DecodeJpeg(bytes.left(100)).width() == 460);
    EXPECT_TRUE(DecodeJpeg("not a picture").isNull());
    EXPECT_TRUE(DecodeJpeg({}).isNull());
}
