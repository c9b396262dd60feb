// The launcher's command line: argument text, switch character and preview parent handle.
#include <gtest/gtest.h>

#include "command_line.h"

namespace {

TEST(ArgumentText, DropsTheProgramNameAndTheBlanksAfterIt)
{
    struct Row {
        const char* line;
        const char* arguments;
    } rows[] = {
        {"C:\\Saver\\Zirel.scr /s", "/s"},
        {"\"C:\\Program Files\\Zirel\\Zirel.scr\" /p 1234", "/p 1234"},
        {"\"C:\\Program Files\\Zirel\\Zirel.scr\"", ""},
        {"Zirel.scr", ""},
        {"Zirel.scr   ", ""},
        {"Zirel.scr \t /c:5678", "/c:5678"},
        {"  Zirel.scr /S extra", "/S extra"},
        {"\"unclosed /s", ""},
        {"", ""},
    };
    for (const Row& row : rows)
        EXPECT_EQ(ArgumentText(row.line), row.arguments) << row.line;
}

TEST(SwitchCharacter, IsTheSecondCharacterUpperCased)
{
    struct Row {
        const char* arguments;
        char expected;
    } rows[] = {
        {"/s", 'S'},  {"/S", 'S'},      {"-s", 'S'},       {"/S extra", 'S'}, {"s", '\0'},
        {"", '\0'},   {"/c", 'C'},      {"/c:1234", 'C'},  {"/C", 'C'},       {"/a", 'A'},
        {"/x", 'X'},  {"/p 1234", 'P'}, {"/p:1234", 'P'},  {"/p", 'P'},       {"ss", 'S'},
    };
    for (const Row& row : rows)
        EXPECT_EQ(SwitchCharacter(row.arguments), row.expected) << '"' << row.arguments << '"';
}

TEST(PreviewParentHandle, IsTheDecimalNumberFromTheFourthCharacter)
{
    struct Row {
        const char* arguments;
        uint32_t expected;
    } rows[] = {
        {"/p 1234", 1234},           {"/p:1234", 1234},        {"/p", 0},
        {"/p ", 0},                  {"/p   42", 42},          {"/p 12ab", 12},
        {"/p abc", 0},               {"/p 1 2", 1},            {"/p 7.5", 8},
        {"/p 2.5", 2},               {"/p 2147483647", 2147483647u},
        {"/p 4294967295", 4294967295u}, {"/p 3000000000", 3000000000u},
        {"/p 4294967296", 0},        {"/p 99999999999999999999", 0},
        {"/p -5", uint32_t(-5)},     {"/P\t\t99", 99},         {"/p:+8", 8},
    };
    for (const Row& row : rows)
        EXPECT_EQ(PreviewParentHandle(row.arguments), row.expected) << row.arguments;
}

}  // namespace
