#pragma once

// How the keyboard for a text input looks and behaves, numbered as the
// platform numbers them.

namespace ui {

enum class KeyboardType {
    defaultType = 0,
    asciiCapable = 1,
    numbersAndPunctuation = 2,
    url = 3,
    numberPad = 4,
    phonePad = 5,
    namePhonePad = 6,
    emailAddress = 7,
    decimalPad = 8,
    twitter = 9,
    webSearch = 10,
};

enum class ReturnKeyType {
    defaultType = 0,
    go = 1,
    google = 2,
    join = 3,
    next = 4,
    route = 5,
    search = 6,
    send = 7,
    yahoo = 8,
    done = 9,
    emergencyCall = 10,
};

enum class AutocapitalizationType { none = 0, words = 1, sentences = 2, allCharacters = 3 };
enum class AutocorrectionType { defaultType = 0, no = 1, yes = 2 };

struct KeyboardTraits {
    KeyboardType keyboardType = KeyboardType::defaultType;
    ReturnKeyType returnKeyType = ReturnKeyType::defaultType;
    AutocapitalizationType autocapitalizationType = AutocapitalizationType::sentences;
    AutocorrectionType autocorrectionType = AutocorrectionType::defaultType;
    bool secureTextEntry = false;
    bool enablesReturnKeyAutomatically = false;
};

}  // namespace ui
