// The form's language: the pictures that carry words in the chosen language
// and the menu's key that switches between languages.
//
// A data file's pictures with words have their translations in a data file of
// their own beside it, "general.en.dat" beside "general.dat", holding only
// those pictures under the same names. The original data files stay as they
// are, so a folder of original files still works (the Czech pictures show
// where a variant is missing), a Czech run reads exactly what it always read,
// and a further language is a further file rather than a change to all.
#include <cstdio>
#include <string>

#include "app/Files.h"
#include "app/Form.h"
#include "app/Language.h"
#include "app/ScoreStore.h"
#include "assets/PictureCollection.h"

namespace ik {

void TForm1::load_pictures(const std::string& name, const std::string& path) {
    DXImageList1->Items.LoadFromFile(path);
    pictures_file = name;
    load_language_pictures();
}

void TForm1::load_language_pictures() {
    LanguagePictures->Items.Clear();
    if (translator.original()) return;
    const std::string variant = findDataFile(languageVariantName(pictures_file, translator.language()));
    if (!variant.empty()) LanguagePictures->Items.LoadFromFile(variant);
}

TPictureCollectionItem& TForm1::picture(const std::string& name) const {
    if (TNamedCollectionItem* variant = LanguagePictures->Items.IndexOf(name))
        return static_cast<TPictureCollectionItem&>(*variant);
    return DXImageList1->Items.Find(name);
}

void TForm1::switch_language() {
    translator = loadTranslator(nextLanguage(translator.language()));
    save_to_store([this] { scores_ini->WriteString("Settings", "Language", translator.language()); });
    load_language_pictures();
}

}  // namespace ik
