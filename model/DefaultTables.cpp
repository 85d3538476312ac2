#include "model/DefaultTables.h"

const char* const ClassificationNames[] = {
    // Derived kinds of code values.
    "E-mail address",
    "URL",
    "UPS Ground Tracking#",
    "FedEx Ground Tracking#",
    "FedEx Express Tracking#",
    "GTIN-14",
    "GTIN-13",
    nullptr,
    // Symbologies.
    "ISBN-13",
    "EAN-13",
    "EAN-8",
    "UPC-E",
    "UPC-A",
    "Code 39",
    "Code 128",
    "QR Code",
    nullptr,
    nullptr,
};

const DefaultActionRow DefaultActions[kDefaultActionCount] = {
    {"Dezuvo Search", "http://www.dezuvo.com/search?q=", "GTIN-13", nullptr},
    {"Amazon Search", "http://www.amazon.com/s/?url=search-alias%3Daps&field-keywords=", "GTIN-13",
     nullptr},
    {"BestBuy Search",
     "http://www.bestbuy.com/site/searchpage.jsp?_dyncharset=UTF-8&id=pcat17071&type=page&sc="
     "Global&cp=1&nrp=&sp=&qp=&list=n&iht=y&usc=All+Categories&ks=960&keys=keys&st=",
     "GTIN-13", nullptr},
    {"eBay Search", "http://www.ebay.com/sch/i.html?_nkw=", "GTIN-13", nullptr},
    {"Walmart Search", "http://www.walmart.com/search/?query=", "GTIN-13", nullptr},
    {"Internet UPC Database", "http://www.upcdatabase.com/item.asp?upc=", "GTIN-13", nullptr},
    {"Open URL", "", "URL", nullptr},
    {"Send E-mail", "mailto:", "E-mail address", nullptr},
    {"Track UPS Package",
     "http://wwwapps.ups.com/etracking/tracking.cgi?TypeOfInquiryNumber=T&InquiryNumber1=",
     "UPS Ground Tracking#", nullptr},
    {"Track FedEx Package", "http://www.fedex.com/Tracking?tracknumbers=", "FedEx Ground Tracking#",
     "FedEx Express Tracking#"},
};

const SymbologyNameRow SymbologyNames[] = {
    {13, "EAN-13"},  {8, "EAN-8"},      {12, "UPC-A"},   {9, "UPC-E"},
    {39, "Code 39"}, {128, "Code 128"}, {64, "QR Code"}, {0, nullptr},
};
