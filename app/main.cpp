#include "app/lumidor.h"

int main() {
    return lumidor::RunLumidor();
}
