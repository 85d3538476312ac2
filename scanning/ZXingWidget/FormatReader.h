#pragma once

// A reader of some barcode formats over the zxing-cpp library: the hints it
// decodes with (the hybrid binarizer, the library's defaults, and its own
// formats, never DataBar). The process keeps a set of registered readers.

#include <memory>

#include <ZXing/DecodeHints.h>
#include <ZXing/ImageView.h>
#include <ZXing/Result.h>

class FormatReader {
  public:
    explicit FormatReader(ZXing::BarcodeFormats formats);
    virtual ~FormatReader() = default;

    // Adds the reader to the process-wide set of registered readers.
    static void registerFormatReader(std::shared_ptr<FormatReader> reader);

    const ZXing::DecodeHints& hints() const { return hints_; }
    // The library's result; an invalid one when no code was found. May throw.
    virtual ZXing::Result decode(const ZXing::ImageView& image) const;

  private:
    ZXing::DecodeHints hints_;
};

// Every format the library reads, less the DataBar family, which the
// installed library cannot read safely.
ZXing::BarcodeFormats readableFormats();

class MultiFormatReader : public FormatReader {
  public:
    MultiFormatReader();
};

class QRCodeReader : public FormatReader {
  public:
    QRCodeReader();
};

class DataMatrixReader : public FormatReader {
  public:
    DataMatrixReader();
};

class MultiFormatOneDReader : public FormatReader {
  public:
    MultiFormatOneDReader();
};

class MultiFormatUPCEANReader : public FormatReader {
  public:
    MultiFormatUPCEANReader();
};

class AztecReader : public FormatReader {
  public:
    AztecReader();
};

// Registers one MultiFormatReader; runs once, whoever calls.
void registerFormatReaders();
