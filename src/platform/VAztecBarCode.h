// The barcode library: a text file turned into two-dimensional (Aztec) barcode images.
#pragma once

#include <stddef.h>

#ifdef __cplusplus
extern "C" {
#endif

// One image of symbols: `width` x `height` pixels, one bit a pixel, rows from the top, each row
// `stride` bytes (a multiple of four) with its leftmost pixel in the highest bit and unused bits
// clear. A set bit is white and a clear bit black, as in a monochrome bitmap whose palette is
// black, then white.
typedef struct TAztecImage {
    int width;
    int height;
    int stride;
    const unsigned char* bits;
} TAztecImage;

// Receives the images one by one, in order. The image belongs to the library and lives only during
// the call: the receiver copies what it keeps.
typedef void (*TAztecImageSink)(void* context, const TAztecImage* image);

// Cuts `length` bytes of text into chunks, encodes each chunk as one Aztec symbol and hands the
// symbols, five to an image in a column of square cells (the 1:5 shape of a 10 x 50 mm slot), to
// `sink`. Read image by image and top to bottom, the symbols give back the text byte for byte.
// Nothing touches the disk. Result: the number of images, or -1 when the text could not be encoded
// (then no image is handed over).
int CreateAztecBarCodeImages(const unsigned char* text, size_t length, TAztecImageSink sink, void* context);

// The same images of the file at textPath, written as monochrome bitmap files named by the pattern:
// its "%" becomes the image's number, three digits from 001 ("/tmp/run/O%.bmp" gives O001.bmp,
// O002.bmp, ...), so that name order is image order. The third argument is reserved (pass 1).
// Result: the number of images written, or -1 when the file could not be read, encoded or written.
int CreateAztecBarCodeFiles(const char* textPath, const char* pattern, int mode);

// The images are meant to be printed at their natural size, one pixel a dot at kAztecImageDpi: a
// 600 dpi printer puts every pixel on a dot of its own and a 300 dpi scanner sees whole 2 x 2
// blocks. A module is kAztecModulePixels square (0.254 mm, three dots at 300 dpi), a symbol at most
// kAztecMaxModules modules across, in a cell of kAztecCellPixels square (10 mm, rounded down),
// placed on whole 300 dpi dots.
//
// The trade-off between paper and capacity: a module of three 300 dpi dots is what a 300 dpi scanner
// still sees as three samples; two dots would hold three times as much but leave the scanner two
// samples a module, never aligned with the print. Error correction is Aztec's recommended 23 %. A
// 10 mm cell then holds a 31-module symbol (four layers) with four modules of white around it, and
// each symbol takes as many bytes of the file as fit: 65 to 90 bytes of a text file. Measured against
// the slots: ordinary declarations (0.7 to 2 KB) take 11 to 26 symbols of the 25 a form 4-NDFL
// offers and the 45 or more of a form 3-NDFL; a 3-NDFL with every sheet filled and 25 sources of
// income (10.6 KB) still fits its 120; a larger file is reported by the run as not fitting (a
// 37-module symbol with one module of white would take about 40 sources).
enum {
    kAztecSymbolsPerImage = 5,
    kAztecImageDpi = 600,
    kAztecModulePixels = 6,
    kAztecMaxModules = 31,
    kAztecCellPixels = 236
};

#ifdef __cplusplus
}
#endif
