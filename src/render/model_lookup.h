#pragma once
#include <cstdint>
#include <vector>

// What a renderer made of each model, found by the model's number: a handful
// of models a game, looked up one by one. All of it 0 for a model never
// prepared (or number 0, no model).
template <typename Handles>
Handles findModelHandles(const std::vector<Handles>& made, uint32_t model) {
    for (const Handles& handles : made)
        if (handles.model == model && model != 0) return handles;
    return {};
}
