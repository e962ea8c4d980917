// The hand-over of the declaration to the report library: the document written into one block of
// memory exactly as into a document file, and one of the library's three exports called with it.
#pragma once

#include <QString>
#include <cstdint>

class QWidget;
class mTDeclaration;

// The library's exports as the program binds them (tests may record the calls in their place).
struct TReportLibrary {
    bool (*Report)(const char* dir, const std::uint8_t* doc, bool allowPrint, bool noDate);
    bool (*PrintReport)(const char* dir, const std::uint8_t* doc, bool ignored, bool noDate);
    bool (*FileOut)(QWidget* window, const std::uint8_t* doc);
};

// The exports of libostrevan.so.
TReportLibrary RealReportLibrary();

// What the library is asked for: 1 preview without printing, 2 preview with printing, 3 print,
// 4 the tax-office text file. The block lives for the call only; whatever the library or the
// writing raises passes on after the block is released.
enum class THandOverMode { Preview = 1, PreviewPrintable = 2, Print = 3, Export = 4 };
void HandOver(const mTDeclaration& document, THandOverMode mode, const TReportLibrary& library, const QString& programDir,
              bool noDate, QWidget* window);
