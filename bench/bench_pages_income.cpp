// The 13 % income page on a declaration with a few hundred income lines: building the page, and
// showing a large source (its lines listed) as a click on it does.
#include "../tests/SampleDecl.h"
#include "pagebase/MyFrame.h"
#include "pages/FrameThirteenPercent.h"
#include "platform/QtWindowing.h"
#include "ui_FrameThirteenPercent.h"

#include <QApplication>
#include <QTreeWidget>
#include <benchmark/benchmark.h>

namespace {

// The main window's side of the pages, without the window.
class TBenchHost : public TPageHost {
public:
    void SetPageButtonEnabled(TPageButton, bool) override {}
};

std::unique_ptr<mTDeclaration> Declaration(int sources, int lines) {
    auto d = std::make_unique<mTDeclaration>();
    sample::Fill(*d, sources, lines, 1, 1);
    return d;
}

void Select(QTreeWidget* list, int row) {
    list->selectionModel()->select(list->model()->index(row, 0), QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
}

// Opening the page and showing its first source, as the holder does.
void BM_OpenThirteenPercentPage(benchmark::State& state) {
    TBenchHost host;
    auto d = Declaration(3, static_cast<int>(state.range(0)));
    for (auto _ : state) {
        TfrThirteenPercent page(nullptr, &d);
        page.resize(800, 600);
        page.show();
        Select(page.ui->lvSourseIncomeInfo, 0);
        QApplication::processEvents(); // laid out and painted
        benchmark::DoNotOptimize(page.ui->lvIncome->topLevelItemCount());
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

// Switching between two large sources on an open page; then scrolling through the lines.
void BM_SwitchSourcesAndScroll(benchmark::State& state) {
    TBenchHost host;
    auto d = Declaration(2, static_cast<int>(state.range(0)));
    TfrThirteenPercent page(nullptr, &d);
    page.resize(800, 600);
    page.show();
    int row = 0;
    for (auto _ : state) {
        Select(page.ui->lvSourseIncomeInfo, row);
        row = 1 - row;
        QTreeWidget* lines = page.ui->lvIncome;
        for (int i = 0; i < lines->topLevelItemCount(); i += 20) {
            lines->scrollToItem(lines->topLevelItem(i));
            QApplication::processEvents();
        }
    }
}

} // namespace

BENCHMARK(BM_OpenThirteenPercentPage)->Arg(300)->Arg(1000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SwitchSourcesAndScroll)->Arg(300)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
