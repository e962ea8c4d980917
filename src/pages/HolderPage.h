// A page whose bar of flat buttons chooses which of its sub-pages fills it. Towards the main window
// it is one page that hands every protocol call to the sub-page shown (none: it passes).
#pragma once

#include "pagebase/MyFrame.h"

#include <cstdint>
#include <vector>

class TFlashButton;

class THolderPage : public TThinkingFrame {
    Q_OBJECT
public:
    using TThinkingFrame::TThinkingFrame;
    ~THolderPage() override;

    void SaveData() override;
    std::uint16_t CheckData() override;
    void FocusItem(std::uint16_t item) override;
    // Shows the sub-page of `subPage` without saving or checking the one shown, presses its button,
    // then focuses the item.
    void FocusPageItem(std::uint16_t subPage, std::uint16_t item) override;
    void SelectFirstEntry() override;

    TThinkingFrame* CurrentSubPage = nullptr;
    TFlashButton* CurrentButton = nullptr;

protected:
    struct TSubPage {
        TFlashButton* button;
        const char* className;
        TThinkingFrame* (*make)(QWidget* owner, TDocumentRef ref);
    };
    // The sub-pages by kind, and the container they are shown in.
    void SetSubPages(QWidget* container, std::vector<TSubPage> subPages);

    // A button's click: the sub-page shown is saved and checked first; a failed check keeps it,
    // with its button down again and the entry focused.
    void ButtonClick(int kind);
    // Builds the kind's sub-page in the container, then frees the old one.
    void Replace(int kind);
    bool Shows(int kind) const;

    // The kind that FocusPageItem's number asks for; -1 switches nothing.
    virtual int KindOfSubPage(std::uint16_t subPage) const;
    // After a button has switched to the kind's sub-page.
    virtual void Switched(int kind) { (void)kind; }

private:
    QWidget* container_ = nullptr;
    std::vector<TSubPage> subPages_;
};
