// The barcode library: a text file turned into two-dimensional (Aztec) barcode images.
#pragma once

#ifdef __cplusplus
extern "C" {
#endif

// Cuts the file at textPath into chunks, encodes each chunk as one Aztec symbol and writes the
// symbols, five to an image in a column (the 1:5 shape of a 10 x 50 mm slot), as monochrome bitmap
// files named by the pattern: its "%" becomes the image's number, three digits from 001
// ("/tmp/run/O%.bmp" gives O001.bmp, O002.bmp, ...). Read in name order, image by image and top to
// bottom, the symbols give back the file byte for byte. The third argument is reserved (pass 1).
// Result: the number of images written, or -1 when the file could not be read, encoded or written.
int CreateAztecBarCodeFiles(const char* textPath, const char* pattern, int mode);

// Bytes of the file per symbol, and symbols per image.
enum { kAztecChunkBytes = 256, kAztecSymbolsPerImage = 5 };

#ifdef __cplusplus
}
#endif
