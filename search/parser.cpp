// The parser half of TScannerParser: one routine per grammar level, each starting on its
// first token and leaving the first token after its phrase current.
#include <algorithm>

#include "core/format.h"
#include "core/messages.h"
#include "search/scanner_parser.h"

namespace tracklore {

std::unique_ptr<TExpr> TScannerParser::Parse(const std::string& text) {
    Reset(text);
    NextToken();
    return ParseBE0().expr;
}

TScannerParser::Node TScannerParser::Join(Node left, Node right, TExprOp op) const {
    const int depth = std::max(left.depth, right.depth) + 1;
    if (depth > kMaxTreeDepth) Fail(msg::NestedTooDeeply, pos_);
    return {std::make_unique<TExprBin>(std::move(left.expr), std::move(right.expr), op), depth};
}

TScannerParser::Node TScannerParser::ParseBE0() {
    Node left = ParseBE1();
    while (kind_ == TToken::And) {
        NextToken();
        left = Join(std::move(left), ParseBE1(), TExprOp::And);
    }
    return left;
}

TScannerParser::Node TScannerParser::ParseBE1() {
    Node left = ParseBE2();
    while (kind_ == TToken::Or || kind_ == TToken::Xor) {
        const TExprOp op = kind_ == TToken::Or ? TExprOp::Or : TExprOp::Xor;
        NextToken();
        left = Join(std::move(left), ParseBE2(), op);
    }
    return left;
}

TScannerParser::Node TScannerParser::ParseBE2() {
    if (kind_ != TToken::Not) return ParseBE3();
    NextToken();
    Node operand = ParseBE3();
    if (operand.depth + 1 > kMaxTreeDepth) Fail(msg::NestedTooDeeply, pos_);
    return {std::make_unique<TExprNot>(std::move(operand.expr)), operand.depth + 1};
}

TScannerParser::Node TScannerParser::ParseBE3() {
    if (kind_ != TToken::OpenParen) return ParseRelation();
    // Each parenthesis costs the parser a few stack frames: refuse before they run out.
    if (++nesting_ > kMaxNesting) Fail(msg::NestedTooDeeply, pos_);
    NextToken();
    Node inner = ParseBE0();
    if (kind_ != TToken::CloseParen) Fail(msg::MissingCloseParen, pos_);
    --nesting_;
    NextToken();
    return inner;
}

TScannerParser::Node TScannerParser::ParseRelation() {
    if (kind_ != TToken::Ident) Fail(msg::ExpectedIdentifier, pos_);
    Node ident{std::make_unique<TExprIdent>(tokenText_), 0};
    NextToken();
    TExprOp op;
    switch (kind_) {
        case TToken::Equal: op = TExprOp::Equal; break;
        case TToken::NotEqual: op = TExprOp::NotEqual; break;
        case TToken::Greater: op = TExprOp::Greater; break;
        case TToken::GreaterEqual: op = TExprOp::GreaterEqual; break;
        case TToken::Less: op = TExprOp::Less; break;
        case TToken::LessEqual: op = TExprOp::LessEqual; break;
        case TToken::Contains: op = TExprOp::Contains; break;
        default: return ident;
    }
    NextToken();
    std::unique_ptr<TExprConst> constant;
    switch (kind_) {
        case TToken::Integer: constant = std::make_unique<TExprConst>(integer_); break;
        case TToken::Real: constant = std::make_unique<TExprConst>(real_); break;
        case TToken::String: constant = std::make_unique<TExprConst>(tokenText_); break;
        case TToken::True: constant = std::make_unique<TExprConst>(true); break;
        case TToken::False: constant = std::make_unique<TExprConst>(false); break;
        default: Fail(msg::ExpectedConstant, pos_);
    }
    NextToken();
    return Join(std::move(ident), {std::move(constant), 0}, op);
}

std::unique_ptr<TExpr> DoParsing(const std::string& text) {
    if (text.empty()) throw EParserError(msg::EmptyExpression);
    std::unique_ptr<TExpr> tree = TScannerParser().Parse(text);
    // An empty record: every number 0, every text empty, genre 0.
    tree->EvaluateValue(TrackRecord{});
    return tree;
}

}  // namespace tracklore
