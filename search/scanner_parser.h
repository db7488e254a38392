// The scanner and parser of the search expression language, and DoParsing, which turns a
// typed query into a tree that has passed a test evaluation.
//
//   BE0         = BE1 { "AND" BE1 } ;                 (* AND binds more loosely than OR *)
//   BE1         = BE2 { ( "OR" | "XOR" ) BE2 } ;
//   BE2         = [ "NOT" ] BE3 ;
//   BE3         = "(" BE0 ")" | RELATION ;
//   RELATION    = IDENT [ RELOPERATOR CONST ] ;
//   RELOPERATOR = "=" | "==" | "!=" | ">" | ">=" | "<" | "<=" | "~=" ;
//   CONST       = INTEGER | REAL | STRING | TIME | SIZE | DATE | "TRUE" | "FALSE" ;
//   IDENT       = LETTER { LETTER | DIGIT } ;             (* ASCII; not a keyword *)
//   INTEGER     = DIGIT { DIGIT } ;                       (* at most 2147483647 *)
//   REAL        = DIGIT { DIGIT } SEPARATOR { DIGIT } ;   (* the locale's decimal separator *)
//   STRING      = '"' { any character but '"' } '"' ;
//   TIME        = DIGIT { DIGIT } ":" DIGIT DIGIT [ ":" DIGIT DIGIT ] ;  (* seconds *)
//   SIZE        = ( INTEGER | REAL ) ( "KB" | "MB" | "GB" ) ;  (* bytes, powers of 1,024 *)
//   DATE        = DIGIT DIGIT DIGIT DIGIT "-" DIGIT DIGIT "-" DIGIT DIGIT ;
//
// TIME is minutes:seconds or hours:minutes:seconds, the parts after a colon 00 to 59.
// SIZE ignores the case of its unit; it is an integer when whole and at most 2147483647,
// else a real. DATE is a calendar date, its value the day number of the catalogue's file
// dates (days since 1899-12-30). Each is a plain number once scanned: the printed form
// shows that number.
//
// Keywords ignore case. Blanks and control characters separate tokens; a zero character
// ends the text. Whatever follows a complete expression is ignored.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "search/expr.h"

namespace tracklore {

/// Token kinds of the scanner.
enum class TToken : uint8_t {
    None,
    End,
    Integer,
    Real,
    String,
    Ident,
    Not,
    And,
    Or,
    Xor,
    Equal,
    NotEqual,
    Greater,
    GreaterEqual,
    Less,
    LessEqual,
    OpenParen,
    CloseParen,
    True,
    False,
    Contains,
};

/// Parses one query text into an expression tree. Made for one parse; keeps nothing that
/// matters between parses.
class TScannerParser {
public:
    /// Parentheses open at one time, at most.
    static constexpr int kMaxNesting = 256;
    /// Operators on the longest path from the root to a relation, at most: evaluation,
    /// printing and freeing recurse along such paths.
    static constexpr int kMaxTreeDepth = 4096;

    /// The tree of `text`, owned by the caller. EParserError with the position of the fault
    /// (1-based, in characters) at the start of its message; nothing is left allocated.
    std::unique_ptr<TExpr> Parse(const std::string& text);

    /// Starts scanning `text`: position 1, no token yet.
    void Reset(const std::string& text);
    /// Reads the next token into the token kind, text and value.
    void NextToken();

    TToken TokenKind() const { return kind_; }
    const std::string& TokenText() const { return tokenText_; }
    int32_t IntegerValue() const { return integer_; }
    double RealValue() const { return real_; }
    /// The 1-based character index of the next unread character.
    int Position() const { return CharPosition(pos_); }

private:
    struct Node {
        std::unique_ptr<TExpr> expr;
        int depth = 0;  // operators on the longest path below and including this node
    };

    Node ParseBE0();
    Node ParseBE1();
    Node ParseBE2();
    Node ParseBE3();
    Node ParseRelation();
    Node Join(Node left, Node right, TExprOp op) const;

    void ScanNumber();
    // Bytes of the size unit ("KB", "MB", "GB") at `offset` when it ends the number there,
    // else 0.
    long double SizeUnitAt(size_t offset, const std::string& separator) const;
    // The rest of a play time after its leading part `first`; the position is on the colon.
    void ScanTime(long double first, size_t start);
    // A date whose year began at `start`; the position is on the first '-'.
    void ScanDate(size_t start);
    void ScanWord();
    void ScanString();
    char Current() const;  // the byte at the position, or 0 at the end of the text
    int CharPosition(size_t offset) const;
    [[noreturn]] void Fail(const char* message, size_t offset, const char* hint = "") const;

    int32_t integer_ = 0;
    double real_ = 0;
    std::string input_;
    size_t pos_ = 0;  // byte offset of the next unread character
    std::string tokenText_;
    TToken kind_ = TToken::None;
    int nesting_ = 0;
};

/// Checks and parses a typed query the way the advanced search does before it searches:
/// an empty text is refused, the text is parsed, and the tree is evaluated once on an empty
/// record so that unknown identifiers and type errors on every branch that evaluation
/// reaches show up at once. Returns the tree or raises EParserError with the message to show.
std::unique_ptr<TExpr> DoParsing(const std::string& text);

}  // namespace tracklore
