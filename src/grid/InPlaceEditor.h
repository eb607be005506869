#pragma once

/// What the grid needs of any in-place editor (line, combo or date), whatever widget it is.
class InPlaceEditor {
public:
    virtual ~InPlaceEditor() = default;
    /// Ends the edit as if `key` had been pressed, reporting the text to the grid once.
    virtual void FinishEdit(int key) = 0;
    /// Closes the editor without reporting anything (its cell is going away).
    virtual void CancelEdit() = 0;
};
