#include "pages/HolderPage.h"

#include "controls/FlashButton.h"

#include <QLayout>

THolderPage::~THolderPage() {
    delete CurrentSubPage;
    CurrentSubPage = nullptr;
}

void THolderPage::SetSubPages(QWidget* container, std::vector<TSubPage> subPages) {
    container_ = container;
    subPages_ = std::move(subPages);
}

void THolderPage::SaveData() {
    if (CurrentSubPage) CurrentSubPage->SaveData();
}

std::uint16_t THolderPage::CheckData() { return CurrentSubPage ? CurrentSubPage->CheckData() : 0; }

void THolderPage::FocusItem(std::uint16_t item) {
    if (CurrentSubPage) CurrentSubPage->FocusItem(item);
}

void THolderPage::SelectFirstEntry() {
    if (CurrentSubPage) CurrentSubPage->SelectFirstEntry();
}

bool THolderPage::Shows(int kind) const {
    return CurrentSubPage && QLatin1String(CurrentSubPage->metaObject()->className()) == QLatin1String(subPages_[kind].className);
}

void THolderPage::ButtonClick(int kind) {
    if (Shows(kind)) return;
    if (CurrentSubPage) {
        CurrentSubPage->SaveData();
        const std::uint16_t item = CurrentSubPage->CheckData();
        if (item != 0) {
            if (CurrentButton) CurrentButton->SetDown(true); // the click pressed another button
            FocusItem(item);
            return;
        }
    }
    Replace(kind);
    Switched(kind);
}

void THolderPage::Replace(int kind) {
    const TSubPage& s = subPages_[kind];
    TThinkingFrame* page = s.make(container_, DocumentRef);
    container_->layout()->addWidget(page);
    delete CurrentSubPage;
    CurrentSubPage = page;
    CurrentButton = s.button;
    page->show();
}

int THolderPage::KindOfSubPage(std::uint16_t subPage) const {
    return subPage < subPages_.size() ? static_cast<int>(subPage) : -1;
}

void THolderPage::FocusPageItem(std::uint16_t subPage, std::uint16_t item) {
    const int kind = KindOfSubPage(subPage);
    if (kind >= 0 && !Shows(kind)) {
        Replace(kind);
        CurrentButton->SetDown(true);
    }
    if (CurrentSubPage) CurrentSubPage->FocusItem(item);
}
