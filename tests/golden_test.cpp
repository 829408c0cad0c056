// One generation on a hand-made board where each rule fires once, checked
// line by line against the rules. With seed 1 and no random draw inside the
// turns, the creatures are visited in the order (8,2) (7,2) (17,5) (12,11)
// (15,5) (8,3) (16,4) (3,2) (12,12) (2,2) (2,14).

#include <gtest/gtest.h>

#include "platform/random.h"
#include "support/captured_trace.h"
#include "support/terrarium.h"

namespace {

class HandMadeBoard : public Terrarium, public ::testing::Test {
protected:
    HandMadeBoard() {
        // A lizard with an eating cat in front of it: it flees backwards.
        place(2, 2, kLizard1, 1);
        placeEatingCat(3, 2, 5);
        // Two lizards face each other, an egg beside them: whichever acts
        // first pairs and lays.
        place(7, 2, kLizard2, 1);
        place(8, 2, kLizard1, 5);
        placeEgg(8, 3, kLizard1, 0);
        // A hungry cat blocked by an eating one walks diagonally.
        place(12, 12, kCat, 3, 0);
        placeEatingCat(12, 11, 1);
        // A cat sees an egg front-right and a mating lizard front-left.
        place(16, 4, kCat, 7, 1);
        placeEgg(15, 5, kLizard2, 1);
        placeMating(17, 5, kLizard1, 1);
        // A lone lizard walks ahead.
        place(2, 14, kLizard1, 8);
    }
};

constexpr const char* kExpectedTrace =
    // (8,2) sees the lizard of (7,2) in front, lays front-right at (7,1)
    "--------casilla con lagartija----------\n"
    "-no eres juvenil-\n"
    "-bicho no apareandose-\n"
    "--no veo gato--\n"
    "-vi una lagartija amiga no juvenil y no apareandose-\n"
    "se tiene un espacio vacio\n"
    "me apareo con la de enfrente\n"
    "la casilla de .frenteDerecha esta vacia y pondre huevo me apareare\n"
    "-fin vi una lagartija amiga no juvenil y no apareandose-\n"
    "--fin no veo gato--\n"
    "-fin bicho no apareandose-\n"
    "-fin no eres juvenil-\n"
    "--------fin casilla con lagartija----------\n"
    // (7,2) is now a processed partner: nothing. (17,5) counts its mating.
    "--------casilla con lagartija----------\n"
    "-no eres juvenil-\n"
    "bicho apareandose\n"
    "-fin no eres juvenil-\n"
    "--------fin casilla con lagartija----------\n"
    // (12,11) eats on
    "--------casilla con gato----------\n"
    "-gato comiendo-\n"
    "--------fin casilla con gato----------\n"
    // (15,5) and (8,3) age
    "--------casilla con lagartija----------\n"
    "soy juvenil\n"
    "todavia estoy chico edad = 1\n"
    "--------fin casilla con lagartija----------\n"
    "--------casilla con lagartija----------\n"
    "soy juvenil\n"
    "todavia estoy chico edad = 0\n"
    "--------fin casilla con lagartija----------\n"
    // (16,4) takes the egg front-right, square order before species
    "--------casilla con gato----------\n"
    "-gato sin comer-\n"
    "veo lagartija y tengo hambre\n"
    "comida en la casilla de enfrenteDerecha e intentare comer\n"
    "-gato sin comer-\n"
    "--------fin casilla con gato----------\n"
    // (3,2) eats on
    "--------casilla con gato----------\n"
    "-gato comiendo-\n"
    "--------fin casilla con gato----------\n"
    // (12,12) walks front-right to (13,11)
    "--------casilla con gato----------\n"
    "-gato sin comer-\n"
    "-no vi lagartija-\n"
    "encontre una casilla vacia asi que caminare\n"
    "la casilla de frenteDerecha esta vacia \n"
    "-no vi lagartija-\n"
    "-gato sin comer-\n"
    "--------fin casilla con gato----------\n"
    // (2,2) flees back to (1,2)
    "--------casilla con lagartija----------\n"
    "-no eres juvenil-\n"
    "-bicho no apareandose-\n"
    "se encontro un gato devo de huir\n"
    "-fin bicho no apareandose-\n"
    "-fin no eres juvenil-\n"
    "--------fin casilla con lagartija----------\n"
    // (2,14) walks to (3,15)
    "--------casilla con lagartija----------\n"
    "-no eres juvenil-\n"
    "-bicho no apareandose-\n"
    "--no veo gato--\n"
    "no veo a nadie amigo\n"
    "encontre una casilla vacia asi que caminare\n"
    "la casilla de enfrente esta vacia\n"
    "--fin no veo gato--\n"
    "-fin bicho no apareandose-\n"
    "-fin no eres juvenil-\n"
    "--------fin casilla con lagartija----------\n";

TEST_F(HandMadeBoard, OneGenerationTracesEveryRuleInVisitingOrder) {
    CapturedTrace trace(model);
    model.generator().seed(1);
    model.computeGeneration();
    EXPECT_EQ(trace.text(), kExpectedTrace);
}

TEST_F(HandMadeBoard, OneGenerationLeavesEachCreatureWhereTheRulesPutIt) {
    CapturedTrace trace(model);
    model.generator().seed(1);
    model.computeGeneration();

    EXPECT_EQ(at(8, 2).mating, 1);
    EXPECT_EQ(at(7, 2).mating, 1);
    EXPECT_EQ(at(7, 1).kind, kLizard1);
    EXPECT_EQ(at(7, 1).juvenile, 1);
    EXPECT_EQ(at(7, 1).age, 0);
    EXPECT_EQ(at(8, 3).age, 1);
    EXPECT_EQ(at(17, 5).mateTurns, 1);
    EXPECT_EQ(at(12, 11).eatTurns, 1);
    EXPECT_EQ(at(3, 2).eatTurns, 1);

    EXPECT_EQ(at(16, 4).kind, kEmpty);
    EXPECT_EQ(at(15, 5).kind, kCat);
    EXPECT_EQ(at(15, 5).eating, 1);
    EXPECT_EQ(at(15, 5).preyIsKind2, 1);
    EXPECT_EQ(at(15, 5).direction, 7);
    EXPECT_EQ(at(15, 5).phase, 0);

    EXPECT_EQ(at(12, 12).kind, kEmpty);
    EXPECT_EQ(at(13, 11).kind, kCat);
    EXPECT_EQ(at(13, 11).direction, 2);
    EXPECT_EQ(at(13, 11).phase, 1);

    EXPECT_EQ(at(2, 2).kind, kEmpty);
    EXPECT_EQ(at(1, 2).kind, kLizard1);
    EXPECT_EQ(at(1, 2).direction, 5);
    EXPECT_EQ(at(1, 2).phase, 0);

    EXPECT_EQ(at(2, 14).kind, kEmpty);
    EXPECT_EQ(at(3, 15).kind, kLizard1);
    EXPECT_EQ(at(3, 15).direction, 8);
    EXPECT_EQ(at(3, 15).phase, 0);

    int creatures = 0;
    for (const CellState& cell : board) {
        creatures += cell.kind != kEmpty ? 1 : 0;
        EXPECT_EQ(cell.processed, 0);
    }
    EXPECT_EQ(creatures, 11);  // ten, less the eaten egg, plus the new one
}

}  // namespace
