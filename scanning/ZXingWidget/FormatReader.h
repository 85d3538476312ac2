#pragma once

// A reader of some barcode formats over the zxing-cpp library: the hints it
// decodes with (the hybrid binarizer, the library's defaults, and its own
// formats, never DataBar). The process keeps a set of registered readers,
// one MultiFormatReader from the start.
//
// The library publishes no points of its detectors, only the corners of the
// symbol it read: those are the possible result points a reader reports.

#include <memory>
#include <vector>

#include <ZXing/DecodeHints.h>
#include <ZXing/ImageView.h>
#include <ZXing/Result.h>

#include "scanning/ZXingWidget/ResultPointCallback.h"

class FormatReader {
  public:
    explicit FormatReader(ZXing::BarcodeFormats formats);
    virtual ~FormatReader() = default;

    // Adds the reader to the process-wide set of registered readers.
    static void registerFormatReader(std::shared_ptr<FormatReader> reader);
    // The registered readers, in the order they came.
    static std::vector<std::shared_ptr<FormatReader>> registeredFormatReaders();

    const ZXing::DecodeHints& hints() const { return hints_; }
    // The library's result; an invalid one when no code was found. May throw.
    virtual ZXing::Result decode(const ZXing::ImageView& image) const;
    // The plain decode; the corners of the symbol found go to `callback`
    // first, in the library's order.
    virtual ZXing::Result decode(const ZXing::ImageView& image,
                                 ResultPointCallback& callback) const;

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
    using FormatReader::decode;
    // The plain decode: this reader reports no points.
    ZXing::Result decode(const ZXing::ImageView& image,
                         ResultPointCallback& callback) const override;
};

// Registers one MultiFormatReader; runs once, whoever calls. It runs when
// the readers' code is loaded into the program.
void registerFormatReaders();
