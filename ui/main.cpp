#include "ui/quintovar_app.h"

int main(int argc, char** argv) {
    return qv::RunQuintovar(argc, argv);
}
