#include <gtest/gtest.h>

#include "core/Errors.h"
#include "platform/AutomationError.h"

using namespace glv;

TEST(Errors, TableNumbersDescriptionsAndSources) {
    struct Row {
        int32_t code;
        int32_t number;
        const char* description;
    };
    const Row rows[] = {
        {1, 364, "Object has been unloaded."},
        {2, -2147196503, "ListBar does not exist."},
        {3, -2147196502, "ListItem does not exist."},
        {4, 13, "Type Mismatch."},
        {5, 457, "This key is already associated with an element of this collection."},
        {6, 9, "Subscript out of range."},
        {7, 7, "Out of Memory."},
        {8, -2147196501, "Header does not exist."},
        {9, -2147196500, "Failed to set group enable state."},
        {10, -2147196499, "SubItem does not exist."},
        {11, 11, ""},
        {0, 0, ""},
        {-5, -5, ""},
    };
    for (const Row& row : rows) {
        try {
            RaiseError(row.code, "cListItems");
            FAIL() << row.code;
        } catch (const AutomationError& e) {
            EXPECT_EQ(e.Number, row.number) << row.code;
            EXPECT_EQ(e.Description, row.description) << row.code;
            EXPECT_EQ(e.Source, "glideListViewLib.cListItems");
        }
    }
    EXPECT_EQ(static_cast<uint32_t>(LookupError(8).number), 0x800461ABu);
}
