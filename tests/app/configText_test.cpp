#include "app/configText.hpp"
#include "support/configFiles.hpp"

#include <gtest/gtest.h>

namespace {
/// The line and message checkConfigText reports for `text`; line -1 when it accepts the text.
std::pair<int, std::string> problemOf(const std::string& text) {
    try {
        static_cast<void>(checkConfigText(text));
    } catch (const configTextError& error) {
        return {error.line(), error.what()};
    }
    return {-1, ""};
}

std::string replaced(std::string text, const std::string& from, const std::string& to) {
    return text.replace(text.find(from), from.size(), to);
}
} // namespace

TEST(ConfigText, CommentsAndSpacesAroundNumbersAreReadLeniently) {
    const std::string plain = configText(defaultSettings());
    EXPECT_EQ(checkConfigText(plain), plain);

    std::string annotated = replaced(plain, "<!DOCTYPE", "<!-- written by hand -->\n<!DOCTYPE");
    annotated = replaced(annotated, "\t<worldWidth>360", "\t<!-- cells <across> -->\n\t<worldWidth> 360 ");
    annotated = replaced(annotated, "<logEnemies>0<", "<logEnemies>\r\n 0\t<!-- no --><");
    annotated += "<!-- end -->\n";
    const std::string read = checkConfigText(annotated);
    EXPECT_EQ(read.find("<!--"), std::string::npos) << read;
    EXPECT_NE(read.find("<worldWidth>360</worldWidth>"), std::string::npos) << read;
    EXPECT_NE(read.find("<logEnemies>0</logEnemies>"), std::string::npos) << read;

    // Text settings keep their spaces: they are part of a name, and a seed with spaces is no number.
    const std::string spaced =
        configText(with(with(defaultSettings(), "humanName", "  Ada &amp; Co "), "defaultSeed", " 42"));
    EXPECT_EQ(checkConfigText(spaced), spaced);
}

TEST(ConfigText, ProblemsNameTheLineTheElementAndWhatWasExpected) {
    const std::string plain = configText(defaultSettings());
    auto missing = defaultSettings();
    missing.erase(missing.begin() + 2);
    const std::vector<std::pair<std::string, std::pair<int, std::string>>> cases = {
        {configText(with(defaultSettings(), "worldWidth", "190abc")),
         {6, "worldWidth is \"190abc\"; it must be a whole number, a multiple of 10 from 190 to 3600."}},
        {configText(with(defaultSettings(), "worldWidth", "")),
         {6, "worldWidth is \"\"; it must be a whole number, a multiple of 10 from 190 to 3600."}},
        {configText(with(defaultSettings(), "logEnemies", "2")), {13, "logEnemies is 2; it must be 0 or 1."}},
        {configText(with(defaultSettings(), "logEnemies", "true")),
         {13, "logEnemies is \"true\"; it must be 0 or 1."}},
        {configText(with(defaultSettings(), "numFactions", "99999999999999999999")),
         {10, "numFactions is \"99999999999999999999\"; it must be a whole number, from 1 to 1000."}},
        {configText(missing),
         {7, "expected <worldHeight>, found <landArea>. The settings must come in the order of a newly "
             "written config.xml."}},
        {replaced(plain, "</landArea>", "</landarea>"), {8, "<landArea> is not closed by </landArea>."}},
        {replaced(plain, "\t<landArea>", "\tland <landArea>"),
         {8, "expected <landArea>, found the text \"land\"."}},
        {plain.substr(0, plain.find("\t<logEnemies>")),
         {13, "the file ends before <logEnemies>; it may be cut short."}},
        {plain.substr(0, plain.size() - 10),
         {18, "a tag is not closed by \">\"; the file may be cut short."}},
        {plain.substr(0, plain.find("</boost_serialization>")),
         {18, "the file ends before </boost_serialization>; it may be cut short."}},
        {plain + "<more/>\n", {19, "there is more after </boost_serialization>."}},
        {replaced(plain, "<landArea>", "<!-- <landArea>"), {8, "a comment (<!--) is not closed by -->."}},
        {"", {1, "the file ends before <boost_serialization>; it may be cut short."}},
        {"<not a config>", {1, "expected <boost_serialization>, found <not>."}},
        {"settings\n", {1, "expected <boost_serialization>, found the text \"settings\"."}},
    };
    for (const auto& [text, expected] : cases) {
        EXPECT_EQ(problemOf(text), expected) << text;
    }
}
