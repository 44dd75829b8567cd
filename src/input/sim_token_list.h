#pragma once

// The tokens of a parsed keystroke text, stored in place: one allocation for the whole
// list rather than one per token, so that parsing a long text costs little more than
// reading it. Each element behaves as an owning pointer to its token.

#include "input/sim_brightness_token.h"
#include "input/sim_cursor_token.h"
#include "input/sim_key_token.h"
#include "input/sim_layer_token.h"
#include "input/sim_mouse_token.h"
#include "input/sim_token.h"
#include "input/sim_wait_token.h"

#include <type_traits>
#include <utility>
#include <variant>
#include <vector>

namespace pw::input {

// One token of a list, or none once reset.
class SimTokenSlot {
  public:
    template <typename Token>
    explicit SimTokenSlot(std::in_place_type_t<Token> type) : token_(type) {}

    CSimToken* get() {
        return std::visit(
            [](auto& token) -> CSimToken* {
                if constexpr (std::is_same_v<std::decay_t<decltype(token)>, std::monostate>)
                    return nullptr;
                else
                    return &token;
            },
            token_);
    }
    const CSimToken* get() const { return const_cast<SimTokenSlot*>(this)->get(); }
    CSimToken* operator->() { return get(); }
    const CSimToken* operator->() const { return get(); }
    CSimToken& operator*() { return *get(); }
    const CSimToken& operator*() const { return *get(); }
    explicit operator bool() const { return !std::holds_alternative<std::monostate>(token_); }
    // Deletes the token, as soon as it has played.
    void reset() { token_.emplace<std::monostate>(); }

    template <typename Token> Token& As() { return std::get<Token>(token_); }

  private:
    std::variant<std::monostate, CSimKeyToken, CSimMouseToken, CSimCursorToken, CSimWaitToken,
                 CSimLayerToken, CSimBrightnessToken>
        token_;
};

} // namespace pw::input

// Owns its tokens, in the order of the text.
class SimTokenList : public std::vector<pw::input::SimTokenSlot> {
  public:
    // Appends a new token of type Token and returns it.
    template <typename Token> Token& Append() {
        return emplace_back(std::in_place_type<Token>).template As<Token>();
    }
};
