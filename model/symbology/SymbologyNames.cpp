#include "model/symbology/SymbologyNames.h"

std::string SymbologyNames::nameForType(int type) {
    switch (type & 0xFF) {
        case 2:
            return "EAN-2";
        case 5:
            return "EAN-5";
        case 8:
            return "EAN-8";
        case 9:
            return "UPC-E";
        case 10:
            return "ISBN-10";
        case 12:
            return "UPC-A";
        case 13:
            return "EAN-13";
        case 14:
            return "ISBN-13";
        case 15:
            return "COMPOSITE";
        case 25:
            return "I2/5";
        case 34:
            return "DataBar";
        case 35:
            return "DataBar-Exp";
        case 38:
            return "Codabar";
        case 39:
            return "CODE-39";
        case 57:
            return "PDF417";
        case 64:
            return "QR-Code";
        case 93:
            return "CODE-93";
        case 128:
            return "CODE-128";
        default:
            return "UNKNOWN";
    }
}
