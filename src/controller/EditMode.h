#pragma once

// Which editing operation an entry editor performs. The media entry editor
// serves the basic list (1, 2) and the detail lists (3, 4); the advance entry
// editor uses 1 and 2 for the advance list.
enum class EditMode : int {
    Add = 1,
    Modify = 2,
    AddDetail = 3,
    ModifyDetail = 4,
};

inline bool IsAddMode(EditMode mode) {
    return mode == EditMode::Add || mode == EditMode::AddDetail;
}
